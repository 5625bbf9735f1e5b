// Throughput of the firmware scan beside the cost of merely reading the same lines, its
// memory use on a large file, and the CPU cost of a whole load and a whole save.

#include "BenchmarkNames.h"
#include "FirmwareFile.h"
#include "FirmwareFormat.h"
#include "SampleFiles.h"
#include "SummaryReporter.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <fstream>
#include <functional>
#include <iostream>
#include <string>
#include <sys/resource.h>

namespace {

long PeakRssKb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// The peak RSS only ever rises, so each run of a benchmark measures its own rise and the
// largest is kept: a scan that held the file would show it on its very first run.
class PeakRssGrowth {
public:
    PeakRssGrowth() : before_(PeakRssKb()) {}
    void Report(benchmark::State& state, long& largestKb) const {
        largestKb = std::max(largestKb, PeakRssKb() - before_);
        state.counters[names::kPeakRssGrowth] = static_cast<double>(largestKb);
    }

private:
    long before_;
};

void ScanFile(benchmark::State& state, const std::string& path, long& largestGrowthKb) {
    const PeakRssGrowth growth;
    for (auto _ : state) {
        std::ifstream in(path);
        firmware::FirmwareScan scan = firmware::ScanFirmware(in);
        benchmark::DoNotOptimize(scan);
    }
    growth.Report(state, largestGrowthKb);
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(SampleFiles::SizeOf(path)));
}

// The floor: the same stream and the same 200-byte line reads, nothing done with the lines.
void ReadLines(benchmark::State& state, const std::string& path, long& largestGrowthKb) {
    const PeakRssGrowth growth;
    for (auto _ : state) {
        std::ifstream in(path);
        std::array<char, 200> line{};
        std::size_t lines = 0;
        for (;;) {
            in.getline(line.data(), line.size());
            if (in.gcount() == 0 && !in) break;
            ++lines;
            benchmark::DoNotOptimize(line);
            if (in.fail() && !in.eof()) {
                in.clear();  // a line longer than the buffer: its rest comes as the next line
            } else if (!in) {
                break;
            }
        }
        benchmark::DoNotOptimize(lines);
    }
    growth.Report(state, largestGrowthKb);
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(SampleFiles::SizeOf(path)));
}

void LoadFile(benchmark::State& state, const std::string& path) {
    for (auto _ : state) {
        firmware::LoadResult result = firmware::LoadFirmwareFile(path);
        if (result.outcome != firmware::LoadOutcome::Valid) {
            state.SkipWithError("the real-size file did not load as valid");
            break;
        }
        benchmark::DoNotOptimize(result);
    }
}

void SaveFile(benchmark::State& state, const std::string& source, const std::string& target) {
    const firmware::EepromRecords records = SampleFiles::SampleRecords();
    for (auto _ : state) {
        if (firmware::SaveFirmwareFile(source, target, records) != firmware::SaveOutcome::Done) {
            state.SkipWithError("the save did not complete");
            break;
        }
    }
}

void RegisterAll(const SampleFiles& files) {
    static long realSizeScanGrowth = 0;
    static long realSizeFloorGrowth = 0;
    static long largeScanGrowth = 0;
    static long largeFloorGrowth = 0;
    const std::string realSize = files.RealSize().string();
    const std::string large = files.Large().string();
    const std::string target = (files.SaveFolder() / "saved.hex").string();

    // Registration order is run order: the small scan runs first, so the large scan's growth
    // is its own and not hidden by an earlier peak.
    benchmark::RegisterBenchmark((names::kScan + names::kRealSize).c_str(), ScanFile, realSize,
                                 std::ref(realSizeScanGrowth))->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark((names::kFloor + names::kRealSize).c_str(), ReadLines, realSize,
                                 std::ref(realSizeFloorGrowth))->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark((names::kScan + names::kLarge).c_str(), ScanFile, large,
                                 std::ref(largeScanGrowth))->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark((names::kFloor + names::kLarge).c_str(), ReadLines, large,
                                 std::ref(largeFloorGrowth))->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(names::kLoad.c_str(), LoadFile, realSize)->Unit(benchmark::kMicrosecond);
    // A save waits for the disk sync: iterate by wall time, and report CPU time beside it.
    benchmark::RegisterBenchmark(names::kSave.c_str(), SaveFile, realSize, target)
        ->Unit(benchmark::kMicrosecond)
        ->UseRealTime();
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;

    const SampleFiles files;
    std::cout << "real-size file: " << SampleFiles::SizeOf(files.RealSize()) << " bytes; large file: "
              << SampleFiles::SizeOf(files.Large()) << " bytes; in " << files.RealSize().parent_path()
              << '\n';
    RegisterAll(files);

    SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintSummary(std::cout);
    benchmark::Shutdown();
    return 0;
}
