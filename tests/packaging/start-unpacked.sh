#!/usr/bin/env bash
# Inside an X session: starts an unpacked program with nothing of the build tree around it,
# checks that the window it maps is its own and has the Italian title, then ends it through
# the menu shortcut as a user would.
#   start-unpacked.sh <program> <scratch folder>
set -euo pipefail
program=$1 scratch=$2
title="$(printf '%43s' '')---- Personalizzazione Barre  Kelvo ---- "
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
pass() { echo "ok: $*"; }

app_pid=
trap '[[ -n "$app_pid" ]] && kill "$app_pid" 2>/dev/null || true' EXIT

# Only what the package installed: no library or plugin paths, no build folder as working folder.
(cd "$scratch" && exec env -u LD_LIBRARY_PATH -u QT_PLUGIN_PATH QT_QPA_PLATFORM=xcb \
  "$program" >"$scratch/program.log" 2>&1) &
app_pid=$!

window=
deadline=$((SECONDS + 30))
while [[ $SECONDS -lt $deadline ]]; do
  window=$(xdotool search --onlyvisible --name "Personalizzazione Barre" 2>/dev/null | head -n 1) || true
  [[ -n "$window" ]] && break
  kill -0 "$app_pid" 2>/dev/null || break
  sleep 0.05
done
if [[ -z "$window" ]]; then
  cat "$scratch/program.log"
  fail "no window titled \"Personalizzazione Barre\" mapped within 30 s"
  exit 1
fi
pass "window $window mapped"

shown=$(xdotool getwindowname "$window" || true)
if [[ "$shown" == "$title" ]]; then pass "title is 43 blanks and \"---- Personalizzazione Barre  Kelvo ---- \""
else fail "title is \"$shown\""; fi

# The subshell execs the program, so the window must carry exactly that process id.
window_pid=$(xdotool getwindowpid "$window" 2>/dev/null || true)
if [[ "$window_pid" == "$app_pid" ]]; then pass "the window belongs to the unpacked program"
else fail "the window's process is ${window_pid:-unknown}, not the program started ($app_pid)"; fi

xdotool windowactivate --sync "$window" key --clearmodifiers ctrl+x || true
status=
for _ in $(seq 200); do
  if ! kill -0 "$app_pid" 2>/dev/null; then
    wait "$app_pid" && status=0 || status=$?
    break
  fi
  sleep 0.05
done
if [[ -z "$status" ]]; then fail "the program did not end on Ctrl+X within 10 s"
elif [[ "$status" -ne 0 ]]; then cat "$scratch/program.log"; fail "the program ended with status $status"
else app_pid=; pass "the program ended on Ctrl+X with status 0"; fi

[[ $failures -eq 0 ]]
