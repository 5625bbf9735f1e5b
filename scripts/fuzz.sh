#!/usr/bin/env bash
# Fuzzes the firmware-file format: builds preset `fuzz` (clang, libFuzzer, ASan and UBSan)
# and runs fuzz_firmware for the given number of seconds (default 600).
#   bash scripts/fuzz.sh [seconds]
# Exits non-zero on a crash, a sanitizer report or a broken invariant; the input that caused
# it is left in build/fuzz/artifacts/. The working corpus build/fuzz/corpus grows from run to
# run, starting from the seeds in fuzz/corpus.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-600}"
if [[ ! "$seconds" =~ ^[0-9]+$ ]] || (( seconds == 0 )); then
  echo "usage: bash scripts/fuzz.sh [seconds]" >&2
  exit 2
fi

bash scripts/install-deps.sh --test
cmake --preset fuzz
cmake --build --preset fuzz -j 2

corpus=build/fuzz/corpus
artifacts=build/fuzz/artifacts
log=build/fuzz/fuzz_firmware.log
mkdir -p "$corpus" "$artifacts"
for seed in fuzz/corpus/*; do
  [[ -e "$corpus/$(basename "$seed")" ]] || cp "$seed" "$corpus/"
done

echo "Fuzzing fuzz_firmware for ${seconds} s (log: $log)"
export UBSAN_OPTIONS=print_stacktrace=1
status=0
build/fuzz/fuzz/fuzz_firmware \
  -max_total_time="$seconds" -max_len=4096 -dict=fuzz/firmware.dict \
  -artifact_prefix="$artifacts/" -print_final_stats=1 "$corpus" >"$log" 2>&1 || status=$?

# libFuzzer's closing lines: the last status line (coverage, corpus, speed) and its totals.
grep -E '^#[0-9]+' "$log" | tail -n 1 || true
grep -E '^Done [0-9]+ runs|^stat::' "$log" || true

if (( status != 0 )); then
  echo "---- end of the fuzzer's log ----"
  tail -n 60 "$log"
  echo "fuzz_firmware FAILED (exit status $status); inputs kept in $artifacts/:" >&2
  ls -1 "$artifacts" >&2 || true
  exit "$status"
fi
echo "fuzz_firmware: no crash in ${seconds} s"
