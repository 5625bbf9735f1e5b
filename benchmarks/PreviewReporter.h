#pragma once

// Console output as usual, then the preview's time per animation step beside a plain fill of
// the same area from the same run. Lines of the summary that begin "summary " are meant for
// scripts/bench.sh.

#include <benchmark/benchmark.h>

#include <iosfwd>
#include <map>
#include <string>
#include <vector>

class PreviewReporter : public benchmark::ConsoleReporter {
public:
    PreviewReporter(std::string draw, std::string fill, int stepsPerIteration);

    void ReportRuns(const std::vector<Run>& reports) override;
    void PrintSummary(std::ostream& out) const;

private:
    struct Figures {
        double cpuSeconds = 0;
        bool fromMedian = false;
    };

    std::string draw_;
    std::string fill_;
    int steps_;
    std::map<std::string, Figures> figures_;
};
