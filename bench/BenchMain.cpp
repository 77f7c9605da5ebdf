// Runs every benchmark, then prints one line per benchmark pair:
// "ratio <name> <CPU time of ours / CPU time of the raw baseline>". A benchmark named
// "<name>" is paired with "<name>_baseline".
//
// Every case runs warm and repeatedly: a warm-up that is not measured, then
// several repetitions whose median gives the ratio, so that one cold
// iteration (fresh pages faulting in) never decides it. Ratios are of CPU
// time, which the other processes of a shared machine do not stretch. Cases
// run in their order of registration (some set up what their baseline reads).
// Flags given on the command line override these defaults.

#include <QApplication>

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <iomanip>
#include <iostream>
#include <map>
#include <string>
#include <vector>

namespace {

class RatioReporter final : public benchmark::ConsoleReporter
{
public:
    RatioReporter() : ConsoleReporter(OO_Tabular) {}

    void ReportRuns(const std::vector<Run> &runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run &run : runs) {
            if (run.error_occurred)
                continue;
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
                medians[run.run_name.str()] = run.GetAdjustedCPUTime();
            else if (run.run_type == Run::RT_Iteration)
                single[run.run_name.str()] = run.GetAdjustedCPUTime();
        }
    }

    // The median of the repetitions; the one run without repetitions.
    std::map<std::string, double> times() const
    {
        std::map<std::string, double> all = single;
        for (const auto &[name, time] : medians)
            all[name] = time;
        return all;
    }

private:
    std::map<std::string, double> medians;
    std::map<std::string, double> single;
};

} // namespace

int main(int argc, char **argv)
{
    // As the program does: freed blocks stay with the process.
    mallopt(M_TRIM_THRESHOLD, 64 * 1024 * 1024);
    // The record window's benchmark makes windows; they need no screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::vector<std::string> defaults{"--benchmark_repetitions=7", "--benchmark_min_warmup_time=0.5",
                                      "--benchmark_report_aggregates_only=true"};
    std::vector<char *> args{argv[0]};
    for (std::string &flag : defaults)
        args.push_back(flag.data());
    for (int i = 1; i < argc; ++i)
        args.push_back(argv[i]);
    int count = int(args.size());
    args.push_back(nullptr);
    benchmark::Initialize(&count, args.data());
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    const std::string suffix = "_baseline";
    const std::map<std::string, double> times = reporter.times();
    for (const auto &[name, time] : times) {
        if (name.size() > suffix.size() && name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0)
            continue;
        const auto baseline = times.find(name + suffix);
        if (baseline != times.end() && baseline->second > 0)
            std::cout << "ratio " << name.substr(3) << ' ' << std::fixed << std::setprecision(3)
                      << time / baseline->second << '\n';
    }
    std::cout.flush();
    return 0;
}
