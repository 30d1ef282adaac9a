// Taking the curve back from a table. Over many tables calculated by points
// with two-decimal values, each prescaler, sensor values across their ranges,
// it reports which share of the entries the taken points reproduce byte for
// byte, with the least-squares fit alone and with the search on top; and it
// times one take, which runs on a click, also on the slowest kind of table.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
#include <vector>

#include "model/calculate.h"
#include "model/controller_table.h"
#include "model/curve_from_table.h"
#include "model/numbers.h"

namespace {

struct Case {
    ign::Inputs in;
    ign::ControllerTable table;
    int characteristic = 0;
    int prescalerIndex = 0;
};

std::string twoDecimals(double v)
{
    return ign::formatGeneral(ign::roundHalfAway(v * 100) / 100, '.');
}

const std::vector<Case>& cases()
{
    static const std::vector<Case> all = [] {
        constexpr int kTables = 200;
        std::mt19937 random(2212);
        const auto uniform = [&](double low, double high) {
            return std::uniform_real_distribution<double>(low, high)(random);
        };
        std::vector<Case> out;
        for (int i = 0; out.size() < kTables; ++i) {
            Case c;
            c.prescalerIndex = i % 4;
            c.characteristic = i / 4 % 2;
            ign::Inputs& in = c.in;
            in = ign::initialInputs();
            in.option1 = {false, true};
            in.combo1[0] = ign::kPrescalerItems[static_cast<std::size_t>(c.prescalerIndex)];
            in.text1[ign::kInputDelayField] = twoDecimals(uniform(30, 200));
            in.text1[ign::kInitialAdvanceField] = twoDecimals(uniform(8, 25));
            in.text1[ign::kPulseGapField] = twoDecimals(uniform(40, 90));
            // A rising curve that flattens, with the top value near the last point.
            double angle = uniform(0, 8);
            for (int j = 0; j <= 10; ++j) {
                in.text6[static_cast<std::size_t>(ign::pointField(c.characteristic, j))] =
                    twoDecimals(angle);
                angle += uniform(0, 7) * (1 - j / 12.0);
            }
            in.text6[static_cast<std::size_t>(ign::pointField(c.characteristic, ign::kTopPoint))] =
                twoDecimals(angle + uniform(-2, 3));
            ign::CalcState state;
            ign::startUp(state, in);
            if (ign::calculate(state, in, '.').refused)
                continue;
            c.table = ign::calculatedTable(state);
            // A table the controller cannot hold is never read back.
            if (!std::all_of(c.table.bytes.begin(), c.table.bytes.end(),
                             [](int b) { return b >= 0 && b <= 255; }))
                continue;
            out.push_back(c);
        }
        return out;
    }();
    return all;
}

void takeCurves(benchmark::State& bench, bool search)
{
    const std::vector<Case>& all = cases();
    // The share over every table, once; the timed loop below only takes.
    std::array<double, 4> reproduced{}, entries{};
    int complete = 0;
    for (const Case& c : all) {
        const auto taken = ign::takeCurve(c.table, c.characteristic, c.in, search);
        const int n = taken ? taken->entriesReproduced : 0;
        reproduced[static_cast<std::size_t>(c.prescalerIndex)] += n;
        entries[static_cast<std::size_t>(c.prescalerIndex)] += ign::kTableEntriesPerCharacteristic;
        complete += n == ign::kTableEntriesPerCharacteristic ? 1 : 0;
    }
    std::size_t next = 0;
    for (auto _ : bench) {
        const Case& c = all[next++ % all.size()];
        benchmark::DoNotOptimize(ign::takeCurve(c.table, c.characteristic, c.in, search));
    }
    double sumReproduced = 0, sumEntries = 0;
    for (std::size_t p = 0; p < 4; ++p) {
        sumReproduced += reproduced[p];
        sumEntries += entries[p];
        bench.counters[std::string("share_p") + ign::kPrescalerItems[p]] =
            reproduced[p] / entries[p];
    }
    bench.counters["share"] = sumReproduced / sumEntries;
    bench.counters["tables_all_30"] =
        static_cast<double>(complete) / static_cast<double>(all.size());
    bench.counters["tables"] = static_cast<double>(all.size());
}

void BM_TakeCurveFitOnly(benchmark::State& bench)
{
    takeCurves(bench, false);
}
BENCHMARK(BM_TakeCurveFitOnly)->Unit(benchmark::kMillisecond);

void BM_TakeCurve(benchmark::State& bench)
{
    takeCurves(bench, true);
}
BENCHMARK(BM_TakeCurve)->Unit(benchmark::kMillisecond);

// The slowest kind: a table calculated by coefficients, whose bends inside
// the 1000 rpm steps no points follow exactly, so the search runs until it
// stops finding more; the window's start values, each prescaler.
void BM_TakeCurveFromCoefficients(benchmark::State& bench)
{
    std::vector<std::pair<ign::Inputs, ign::ControllerTable>> tables;
    for (const char* prescaler : ign::kPrescalerItems) {
        ign::Inputs in = ign::initialInputs();
        in.combo1[0] = prescaler;
        ign::CalcState state;
        ign::startUp(state, in);
        ign::calculate(state, in, '.');
        tables.emplace_back(in, ign::calculatedTable(state));
    }
    std::size_t next = 0;
    for (auto _ : bench) {
        const auto& [in, table] = tables[next++ % tables.size()];
        benchmark::DoNotOptimize(ign::takeCurve(table, 0, in));
    }
}
BENCHMARK(BM_TakeCurveFromCoefficients)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
