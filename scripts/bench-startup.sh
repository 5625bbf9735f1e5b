#!/usr/bin/env bash
# Start-up benchmark: time from exec until the window is mapped, and peak resident memory,
# of the program against a bare Qt Widgets window of the same size
# (benchmarks/startup/bare_window.cpp), side by side in one X session (Xvfb + openbox).
# The two are started alternately, in turns of changing order, so drift of the machine
# falls on both alike. Prints the medians, the ratios program/bare and the goal.
#
#   scripts/bench-startup.sh [--runs N] [--build-dir DIR] [--no-build]
#
# The mapping is seen by polling `xdotool search --onlyvisible` in a tight loop (its
# --sync option sleeps half a second between tries). The peak memory is VmHWM of the
# process, read a moment after the mapping, just before it is stopped. The CPU time spent
# until the mapping is shown as well: on a busy machine it says more than the clock does.
set -euo pipefail
cd "$(dirname "$0")/.."

runs=15
build_dir=build/bench
build=1
measure=0
while [[ $# -gt 0 ]]; do
  case "$1" in
    --runs) runs=$2; shift 2 ;;
    --build-dir) build_dir=$2; shift 2 ;;
    --no-build) build=0; shift ;;
    --measure) measure=1; shift ;;  # internal: already inside the X session
    *) echo "usage: $0 [--runs N] [--build-dir DIR] [--no-build]" >&2; exit 2 ;;
  esac
done

program="$build_dir/app/kelvo-barre"
bare="$build_dir/benchmarks/startup/kelvo_bare_window"
program_title='Personalizzazione Barre'
bare_title='Kelvo start-up baseline'
settle=0.3      # seconds between mapping and reading the peak memory
deadline_s=20   # a window that is not mapped by then counts as a failure

if (( ! measure )); then
  if (( build )); then
    bash scripts/install-deps.sh --test
    # The release configuration of the README's build, with the benchmarks added.
    cmake --preset default -B "$build_dir" -DKELVO_BUILD_BENCHMARKS=ON >/dev/null
    cmake --build "$build_dir" -j2 --target kelvo-barre kelvo_bare_window
  fi
  for f in "$program" "$bare"; do
    [[ -x "$f" ]] || { echo "bench-startup: $f is not built" >&2; exit 1; }
  done
  exec bash tests/e2e/xsession.sh bash "$0" --measure --runs "$runs" --build-dir "$build_dir"
fi

source scripts/xdriver.sh
export QT_QPA_PLATFORM=xcb
scratch=$(mktemp -d "${TMPDIR:-/tmp}/kelvo-bench.XXXXXX")
trap 'xd_stop; rm -rf "$scratch"' EXIT

# One start: prints "<milliseconds to mapped> <peak RSS in KiB> <CPU milliseconds until
# mapped>". The CPU time, summed over the process's threads, hardly depends on what else
# the machine is doing, which the time to mapped does.
measure_once() {
  local exe=$1 title=$2 t0 t1 deadline hwm
  t0=$EPOCHREALTIME
  "$exe" </dev/null >>"$scratch/$(basename "$exe").log" 2>&1 &
  XD_PID=$!
  deadline=$(( ${t0%.*} + deadline_s ))
  until xdotool search --onlyvisible --name "$title" >/dev/null 2>&1; do
    if ! kill -0 "$XD_PID" 2>/dev/null || (( ${EPOCHREALTIME%.*} >= deadline )); then
      echo "bench-startup: $exe did not map a window titled '$title'; its output:" >&2
      cat "$scratch/$(basename "$exe").log" >&2
      exit 1
    fi
  done
  t1=$EPOCHREALTIME
  local cpu_ns
  cpu_ns=$(cat /proc/"$XD_PID"/task/*/schedstat 2>/dev/null | awk '{ ns += $1 } END { print ns + 0 }')
  sleep "$settle"
  hwm=$(awk '/^VmHWM:/ { print $2 }' "/proc/$XD_PID/status")
  kill "$XD_PID"
  wait "$XD_PID" 2>/dev/null || true
  XD_PID=""
  # Both stamps carry six decimals: microseconds.
  local us=$(( ${t1/./} - ${t0/./} ))
  printf '%d.%03d %s %d.%03d\n' $(( us / 1000 )) $(( us % 1000 )) "$hwm" \
    $(( cpu_ns / 1000000 )) $(( cpu_ns / 1000 % 1000 ))
}

median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# One start of each, not counted: the first start fills the font and file caches.
measure_once "$program" "$program_title" >/dev/null
measure_once "$bare" "$bare_title" >/dev/null

: >"$scratch/program"
: >"$scratch/bare"
for (( i = 0; i < runs; i++ )); do
  if (( i % 2 == 0 )); then
    measure_once "$program" "$program_title" >>"$scratch/program"
    measure_once "$bare" "$bare_title" >>"$scratch/bare"
  else
    measure_once "$bare" "$bare_title" >>"$scratch/bare"
    measure_once "$program" "$program_title" >>"$scratch/program"
  fi
done

p_ms=$(cut -d' ' -f1 "$scratch/program" | median)
b_ms=$(cut -d' ' -f1 "$scratch/bare" | median)
p_kb=$(cut -d' ' -f2 "$scratch/program" | median)
b_kb=$(cut -d' ' -f2 "$scratch/bare" | median)
p_cpu=$(cut -d' ' -f3 "$scratch/program" | median)
b_cpu=$(cut -d' ' -f3 "$scratch/bare" | median)

echo "Start-up until the window is mapped, $runs runs each, medians (Xvfb + openbox, $DISPLAY):"
awk -v pm="$p_ms" -v bm="$b_ms" -v pk="$p_kb" -v bk="$b_kb" -v pc="$p_cpu" -v bc="$b_cpu" '
  BEGIN {
    tr = pm / bm; mr = pk / bk
    printf "  time to mapped  program %8.1f ms    bare window %8.1f ms    ratio %.2f\n", pm, bm, tr
    printf "  peak RSS        program %8.1f MiB   bare window %8.1f MiB   ratio %.2f\n", pk / 1024, bk / 1024, mr
    printf "  CPU to mapped   program %8.1f ms    bare window %8.1f ms    ratio %.2f (for reference)\n", pc, bc, pc / bc
    printf "  goal: both ratios <= 1.30: time %s, memory %s\n", (tr <= 1.3 ? "met" : "MISSED"), (mr <= 1.3 ? "met" : "MISSED")
  }'
echo "  ranges: program $(cut -d' ' -f1 "$scratch/program" | sort -g | sed -n '1p;$p' | paste -sd' ' | sed 's/ / .. /') ms," \
     "bare $(cut -d' ' -f1 "$scratch/bare" | sort -g | sed -n '1p;$p' | paste -sd' ' | sed 's/ / .. /') ms"
