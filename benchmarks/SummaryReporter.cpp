#include "SummaryReporter.h"

#include "BenchmarkNames.h"

#include <iomanip>
#include <ostream>
#include <unistd.h>

namespace {

benchmark::ConsoleReporter::OutputOptions ConsoleOptions() {
    return isatty(STDOUT_FILENO) ? benchmark::ConsoleReporter::OO_Color
                                 : benchmark::ConsoleReporter::OO_None;
}

double CounterOr(const benchmark::UserCounters& counters, const std::string& name, double fallback) {
    const auto found = counters.find(name);
    return found == counters.end() ? fallback : found->second.value;
}

}  // namespace

SummaryReporter::SummaryReporter() : benchmark::ConsoleReporter(ConsoleOptions()) {}

void SummaryReporter::ReportRuns(const std::vector<Run>& reports) {
    benchmark::ConsoleReporter::ReportRuns(reports);
    for (const Run& run : reports) {
        // With repetitions the median stands for the benchmark; without, its one run does.
        const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
        if (run.error_occurred || (run.run_type == Run::RT_Aggregate && !median)) continue;
        Figures& kept = figures_[run.run_name.function_name];
        if (kept.fromMedian && !median) continue;
        const double perSecond = benchmark::GetTimeUnitMultiplier(run.time_unit);
        kept.realSeconds = run.GetAdjustedRealTime() / perSecond;
        kept.cpuSeconds = run.GetAdjustedCPUTime() / perSecond;
        kept.bytesPerSecond = CounterOr(run.counters, "bytes_per_second", 0);
        kept.peakRssGrowthKb = CounterOr(run.counters, names::kPeakRssGrowth, 0);
        kept.fromMedian = median;
    }
}

std::optional<SummaryReporter::Figures> SummaryReporter::Find(const std::string& name) const {
    const auto found = figures_.find(name);
    if (found == figures_.end()) return std::nullopt;
    return found->second;
}

void SummaryReporter::PrintScanBesideFloor(std::ostream& out, const std::string& size,
                                           const std::string& key) const {
    const auto scan = Find(names::kScan + size);
    const auto floor = Find(names::kFloor + size);
    if (!scan || !floor || floor->bytesPerSecond <= 0) {
        out << size << ": not measured\n";
        return;
    }
    const double ratio = scan->bytesPerSecond / floor->bytesPerSecond;
    out << std::setw(10) << std::left << size << std::right << "  scan " << std::setw(8)
        << scan->bytesPerSecond / 1e6 << " MB/s   floor " << std::setw(8) << floor->bytesPerSecond / 1e6
        << " MB/s   scan/floor " << ratio << "   peak RSS growth " << scan->peakRssGrowthKb << " kB\n";
    out << "summary ratio_" << key << ' ' << ratio << '\n';
    out << "summary rss_growth_kb_" << key << ' ' << scan->peakRssGrowthKb << '\n';
}

void SummaryReporter::PrintCpuAndReal(std::ostream& out, const std::string& name,
                                      const std::string& key) const {
    const auto whole = Find(name);
    if (!whole) {
        out << name << ": not measured\n";
        return;
    }
    out << std::setw(18) << std::left << name << std::right << "  CPU " << std::setw(8)
        << whole->cpuSeconds * 1e3 << " ms   real " << std::setw(8) << whole->realSeconds * 1e3 << " ms\n";
    out << "summary cpu_ms_" << key << ' ' << whole->cpuSeconds * 1e3 << '\n';
    out << "summary real_ms_" << key << ' ' << whole->realSeconds * 1e3 << '\n';
}

void SummaryReporter::PrintSummary(std::ostream& out) const {
    out << std::fixed << std::setprecision(3);
    out << "\nScan beside its floor (getline into a 200-byte buffer, same file, same run):\n";
    PrintScanBesideFloor(out, names::kRealSize, "real_size");
    PrintScanBesideFloor(out, names::kLarge, "large");
    out << "\nWhole load and save of the real-size file:\n";
    PrintCpuAndReal(out, names::kLoad, "load");
    PrintCpuAndReal(out, names::kSave, "save");
}
