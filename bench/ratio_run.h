// Runs the benchmarks with their repetitions interleaved, so a change in the
// machine's load falls on all of them, and prints after the console table the
// ratios of medians timed in the same run: figures that stay comparable
// across machines.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <utility>
#include <vector>

class RatioReporter : public benchmark::ConsoleReporter {
public:
    // Each ratio is of the median of `measured` to that of `baseline`; with
    // a counter name, of that counter's medians instead of the times.
    struct Ratio {
        std::string measured;
        std::string baseline;
        std::string counter;
        std::string label;
    };
    explicit RatioReporter(std::vector<Ratio> ratios) : ratios_(std::move(ratios)) { }

    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.aggregate_name != "median")
                continue;
            const std::string& name = run.run_name.function_name;
            medians_[name] = run.GetAdjustedRealTime();
            for (const auto& [counter, value] : run.counters)
                medians_[name + "/" + counter] = value;
        }
    }
    void Finalize() override
    {
        ConsoleReporter::Finalize();
        for (const Ratio& r : ratios_) {
            const std::string suffix = r.counter.empty() ? "" : "/" + r.counter;
            const double measured = medians_[r.measured + suffix];
            const double baseline = medians_[r.baseline + suffix];
            if (measured > 0 && baseline > 0)
                std::printf("%s: %.2f\n", r.label.c_str(), measured / baseline);
        }
    }

private:
    std::vector<Ratio> ratios_;
    std::map<std::string, double> medians_;
};

inline int runWithRatios(int argc, char** argv, std::vector<RatioReporter::Ratio> ratios)
{
    std::vector<char*> args(argv, argv + argc);
    std::string interleave = "--benchmark_enable_random_interleaving=true";
    args.insert(args.begin() + 1, interleave.data());
    int count = int(args.size());
    benchmark::Initialize(&count, args.data());
    if (benchmark::ReportUnrecognizedArguments(count, args.data()))
        return 1;
    RatioReporter reporter(std::move(ratios));
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
