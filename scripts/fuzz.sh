#!/usr/bin/env bash
# Fuzzes the firmware-file format: builds preset `fuzz` (clang, libFuzzer, ASan and UBSan)
# into the folder (default build/fuzz) and runs fuzz_firmware for the given number of
# seconds (default 600).
#   bash scripts/fuzz.sh [seconds [folder]]
# Exits non-zero on a crash, a sanitizer report or a broken invariant; the input that caused
# it is left in FOLDER/artifacts/. The working corpus FOLDER/corpus grows from run to run,
# starting from the seeds in fuzz/corpus.
set -euo pipefail
work=$(realpath -m -- "${2:-$(dirname "$0")/../build/fuzz}")
cd "$(dirname "$0")/.."

seconds="${1:-600}"
if [[ ! "$seconds" =~ ^[0-9]+$ ]] || (( seconds == 0 )) || (( $# > 2 )); then
  echo "usage: bash scripts/fuzz.sh [seconds [folder]]" >&2
  exit 2
fi

bash scripts/install-deps.sh --test
cmake --preset fuzz -B "$work"
cmake --build "$work" -j 2

corpus=$work/corpus
artifacts=$work/artifacts
log=$work/fuzz_firmware.log
mkdir -p "$corpus" "$artifacts"
for seed in fuzz/corpus/*; do
  [[ -e "$corpus/$(basename "$seed")" ]] || cp "$seed" "$corpus/"
done

echo "Fuzzing fuzz_firmware for ${seconds} s (log: $log)"
export UBSAN_OPTIONS=print_stacktrace=1
status=0
"$work/fuzz/fuzz_firmware" \
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
