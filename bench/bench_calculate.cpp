// One whole Calculate of both characteristics with the listing, from the
// window's initial inputs, by coefficients and by points; and the analysis of
// every period that follows each Calculate in the window, which must stay
// well below 30 Calculates to run without a pause.
#include <benchmark/benchmark.h>

#include "model/calculate.h"
#include "model/table_analysis.h"

static void calculateWith(benchmark::State& bench, bool byPoints)
{
    ign::Inputs inputs = ign::initialInputs();
    if (byPoints)
        inputs.option1 = {false, true};
    ign::CalcState state;
    ign::startUp(state, inputs);
    for (auto _ : bench) {
        ign::CalculateOutcome outcome = ign::calculate(state, inputs, '.');
        benchmark::DoNotOptimize(outcome);
    }
}

static void BM_Calculate(benchmark::State& bench)
{
    calculateWith(bench, false);
}
BENCHMARK(BM_Calculate);

static void BM_CalculateByPoints(benchmark::State& bench)
{
    calculateWith(bench, true);
}
BENCHMARK(BM_CalculateByPoints);

static void analyseWith(benchmark::State& bench, bool byPoints)
{
    ign::Inputs inputs = ign::initialInputs();
    if (byPoints)
        inputs.option1 = {false, true};
    ign::CalcState state;
    ign::startUp(state, inputs);
    ign::calculate(state, inputs, '.');
    for (auto _ : bench) {
        ign::TableAnalysis analysis = ign::analyseTable(state, inputs);
        benchmark::DoNotOptimize(analysis);
    }
}

static void BM_AnalyseTable(benchmark::State& bench)
{
    analyseWith(bench, false);
}
BENCHMARK(BM_AnalyseTable);

static void BM_AnalyseTableByPoints(benchmark::State& bench)
{
    analyseWith(bench, true);
}
BENCHMARK(BM_AnalyseTableByPoints);

BENCHMARK_MAIN();
