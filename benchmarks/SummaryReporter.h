#pragma once

// Console output as usual, plus a closing summary that puts each scan beside its floor
// (same bytes, same kind of stream, nothing done with the lines) from the same run.
// Lines of the summary that begin "summary " are meant for scripts/bench.sh.

#include <benchmark/benchmark.h>

#include <iosfwd>
#include <map>
#include <optional>
#include <string>
#include <vector>

class SummaryReporter : public benchmark::ConsoleReporter {
public:
    SummaryReporter();

    void ReportRuns(const std::vector<Run>& reports) override;
    void PrintSummary(std::ostream& out) const;

private:
    struct Figures {
        double realSeconds = 0;
        double cpuSeconds = 0;
        double bytesPerSecond = 0;
        double peakRssGrowthKb = 0;
        bool fromMedian = false;
    };

    std::optional<Figures> Find(const std::string& name) const;
    void PrintScanBesideFloor(std::ostream& out, const std::string& size, const std::string& key) const;
    void PrintCpuAndReal(std::ostream& out, const std::string& name, const std::string& key) const;

    std::map<std::string, Figures> figures_;
};
