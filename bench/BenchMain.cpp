// Runs every benchmark, then prints one line per benchmark pair:
// "ratio <name> <time of ours / time of the raw baseline>". A benchmark named
// "<name>" is paired with "<name>_baseline".

#include <QCoreApplication>

#include <benchmark/benchmark.h>

#include <iomanip>
#include <iostream>
#include <map>
#include <string>

namespace {

class RatioReporter final : public benchmark::ConsoleReporter
{
public:
    RatioReporter() : ConsoleReporter(OO_Tabular) {}

    void ReportRuns(const std::vector<Run> &runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run &run : runs) {
            if (run.run_type == Run::RT_Iteration && !run.error_occurred)
                times[run.benchmark_name()] = run.GetAdjustedRealTime();
        }
    }

    std::map<std::string, double> times;
};

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    const std::string suffix = "_baseline";
    for (const auto &[name, time] : reporter.times) {
        if (name.size() > suffix.size() && name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0)
            continue;
        const auto baseline = reporter.times.find(name + suffix);
        if (baseline != reporter.times.end() && baseline->second > 0)
            std::cout << "ratio " << name.substr(3) << ' ' << std::fixed << std::setprecision(3)
                      << time / baseline->second << '\n';
    }
    std::cout.flush();
    return 0;
}
