// One whole Calculate of both characteristics with the listing, from the
// window's initial inputs, by coefficients and by points.
#include <benchmark/benchmark.h>

#include "model/calculate.h"

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

BENCHMARK_MAIN();
