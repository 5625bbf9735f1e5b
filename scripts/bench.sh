#!/usr/bin/env bash
# Builds the benchmark program of preset `test` and runs it. A manual command, not part of
# the test suite.
#   bash scripts/bench.sh [benchmark options]   (default: --benchmark_repetitions=5, medians)
# Goals, checked on the closing summary; the script exits non-zero if one is missed:
#  - ScanFirmware runs at no less than 70 % of its floor (the same file read line by line
#    through the same kind of stream, nothing done with the lines), for the real-size file
#    and for the 50 MB file;
#  - memory is flat: the 50 MB scan raises the peak RSS by at most 1024 kB more than the
#    real-size scan does;
#  - a whole LoadFirmwareFile and a whole SaveFirmwareFile of the real-size file each take
#    under 1 ms of CPU time (the save's wait for the disk sync is real time, not CPU time);
#  - a step of the preview's animation, drawn at 720x540, costs at most 10 times a plain fill
#    of the same area and under 2 ms of CPU time.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh --test
cmake --preset test
cmake --build --preset test -j 2 --target bench_firmware bench_preview

args=("$@")
(( ${#args[@]} > 0 )) || args=(--benchmark_repetitions=5 --benchmark_report_aggregates_only=true)

out=build/test/benchmarks/bench_firmware.out
build/test/benchmarks/bench_firmware "${args[@]}" | tee "$out"
preview_out=build/test/benchmarks/bench_preview.out
build/test/benchmarks/bench_preview "${args[@]}" | tee "$preview_out"

echo
awk '
  $1 == "summary" { value[$2] = $3 }
  function goal(text, met) {
    printf "goal %-64s %s\n", text, met ? "met" : "MISSED"
    if (!met) missed = 1
  }
  END {
    goal("scan/floor >= 0.70, real-size file", ("ratio_real_size" in value) && value["ratio_real_size"] + 0 >= 0.70)
    goal("scan/floor >= 0.70, 50 MB file", ("ratio_large" in value) && value["ratio_large"] + 0 >= 0.70)
    goal("memory flat: 50 MB scan peak RSS growth <= real-size + 1024 kB",
         ("rss_growth_kb_large" in value) && ("rss_growth_kb_real_size" in value) &&
         value["rss_growth_kb_large"] + 0 <= value["rss_growth_kb_real_size"] + 1024)
    goal("load CPU time < 1 ms", ("cpu_ms_load" in value) && value["cpu_ms_load"] + 0 < 1)
    goal("save CPU time < 1 ms", ("cpu_ms_save" in value) && value["cpu_ms_save"] + 0 < 1)
    goal("preview step <= 10 x plain fill of 720x540", ("preview_to_fill" in value) && value["preview_to_fill"] + 0 <= 10)
    goal("preview step CPU time < 2 ms", ("preview_ms_per_step" in value) && value["preview_ms_per_step"] + 0 < 2)
    exit missed
  }' "$out" "$preview_out"
