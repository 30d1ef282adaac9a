// One whole Calculate of both characteristics with the listing, from the
// window's initial inputs.
#include <benchmark/benchmark.h>

#include "model/calculate.h"

static void BM_Calculate(benchmark::State& bench)
{
    const ign::Inputs inputs = ign::initialInputs();
    ign::CalcState state;
    ign::startUp(state, inputs);
    for (auto _ : bench) {
        ign::CalculateOutcome outcome = ign::calculate(state, inputs, '.');
        benchmark::DoNotOptimize(outcome);
    }
}
BENCHMARK(BM_Calculate);

static void BM_CalculateByPoints(benchmark::State& bench)
{
    ign::Inputs inputs = ign::initialInputs();
    inputs.option1 = {false, true};
    ign::CalcState state;
    ign::startUp(state, inputs);
    for (auto _ : bench) {
        ign::CalculateOutcome outcome = ign::calculate(state, inputs, '.');
        benchmark::DoNotOptimize(outcome);
    }
}
BENCHMARK(BM_CalculateByPoints);

BENCHMARK_MAIN();
