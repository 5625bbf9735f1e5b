#include "PreviewReporter.h"

#include <iomanip>
#include <ostream>
#include <unistd.h>

PreviewReporter::PreviewReporter(std::string draw, std::string fill, int stepsPerIteration)
    : benchmark::ConsoleReporter(isatty(STDOUT_FILENO) ? OO_Color : OO_None),
      draw_(std::move(draw)),
      fill_(std::move(fill)),
      steps_(stepsPerIteration)
{
}

void PreviewReporter::ReportRuns(const std::vector<Run>& reports)
{
    benchmark::ConsoleReporter::ReportRuns(reports);
    for (const Run& run : reports) {
        // With repetitions the median stands for the benchmark; without, its one run does.
        const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
        if (run.error_occurred || (run.run_type == Run::RT_Aggregate && !median))
            continue;
        Figures& kept = figures_[run.run_name.function_name];
        if (kept.fromMedian && !median)
            continue;
        kept.cpuSeconds = run.GetAdjustedCPUTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
        kept.fromMedian = median;
    }
}

void PreviewReporter::PrintSummary(std::ostream& out) const
{
    const auto draw = figures_.find(draw_);
    const auto fill = figures_.find(fill_);
    if (draw == figures_.end() || fill == figures_.end() || fill->second.cpuSeconds <= 0) {
        out << "preview: not measured\n";
        return;
    }
    const double drawMs = draw->second.cpuSeconds * 1e3 / steps_;
    const double fillMs = fill->second.cpuSeconds * 1e3 / steps_;
    out << std::fixed << std::setprecision(4) << "\nPreview, CPU time a step (" << steps_
        << " steps an iteration):\n  draw " << drawMs << " ms   plain fill " << fillMs << " ms   draw/fill "
        << drawMs / fillMs << '\n';
    out << "summary preview_ms_per_step " << drawMs << '\n';
    out << "summary fill_ms_per_step " << fillMs << '\n';
    out << "summary preview_to_fill " << drawMs / fillMs << '\n';
}
