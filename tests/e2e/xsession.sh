#!/usr/bin/env bash
# Runs a command inside a private X session: an Xvfb server on a free display with the
# openbox window manager, as a desktop has one (without a window manager, dialogs can open
# behind the main window and never get the keyboard), and an Italian keyboard layout.
# DISPLAY is exported to the command;
# the server, the window manager and their scratch folder go away when the command ends,
# also when this script is interrupted or killed.
#
#   tests/e2e/xsession.sh command [args...]
#
# Exit status: the command's, or 2 when the session could not be started.
set -euo pipefail

[[ $# -ge 1 ]] || { echo "usage: $0 command [args...]" >&2; exit 2; }

for tool in Xvfb openbox xdpyinfo xprop setxkbmap; do
  command -v "$tool" >/dev/null || {
    echo "xsession: '$tool' is missing: run scripts/install-deps.sh --test" >&2
    exit 2
  }
done

scratch=$(mktemp -d "${TMPDIR:-/tmp}/kelvo-xsession.XXXXXX")
xvfb_pid=""
wm_pid=""
watchdog_pid=""
command_pid=""

stop_session() {
  local pid
  for pid in "$command_pid" "$watchdog_pid" "$wm_pid" "$xvfb_pid"; do
    [[ -n "$pid" ]] && kill "$pid" 2>/dev/null || true
  done
  for pid in "$wm_pid" "$xvfb_pid"; do
    [[ -n "$pid" ]] && wait "$pid" 2>/dev/null || true
  done
  rm -rf "$scratch"
}
trap stop_session EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
trap 'exit 129' HUP

# Waits up to $2 tenths of a second for command $1 (a string) to succeed.
wait_for() {
  local check=$1 tries=$2
  while (( tries-- > 0 )); do
    eval "$check" >/dev/null 2>&1 && return 0
    kill -0 "$xvfb_pid" 2>/dev/null || return 1
    sleep 0.1
  done
  return 1
}

owns_display() {
  [[ "$(tr -d ' \n' <"/tmp/.X$1-lock" 2>/dev/null)" == "$xvfb_pid" ]]
}

# A display is free when neither its socket nor its lock file exists. Two sessions can
# still race for the same number, so a server that does not come up is retried on the next.
start_server() {
  local n
  for (( n = 90; n < 190; n++ )); do
    [[ -e /tmp/.X11-unix/X$n || -e /tmp/.X$n-lock ]] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp -noreset \
      </dev/null >"$scratch/xvfb-$n.log" 2>&1 &
    xvfb_pid=$!
    # The lock file names the server that won the display: another session's server may
    # answer xdpyinfo while ours is still failing to take the same number.
    if wait_for "xdpyinfo -display :$n && owns_display $n" 100; then
      export DISPLAY=":$n"
      return 0
    fi
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
    xvfb_pid=""
  done
  echo "xsession: no X server could be started; last server log:" >&2
  cat "$scratch"/xvfb-*.log >&2 2>/dev/null || true
  return 1
}

start_server || exit 2

# The window manager and the programs of the session keep their files in the scratch
# folder, so nothing of the user's own desktop settings leaks in or is written.
mkdir -m 700 "$scratch/runtime" "$scratch/config" "$scratch/cache"
export XDG_RUNTIME_DIR="$scratch/runtime"
export XDG_CONFIG_HOME="$scratch/config"
export XDG_CACHE_HOME="$scratch/cache"

openbox --sm-disable </dev/null >"$scratch/openbox.log" 2>&1 &
wm_pid=$!
# openbox announces itself on the root window once it manages the screen.
if ! wait_for "xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'" 100; then
  echo "xsession: openbox did not come up; its log:" >&2
  cat "$scratch/openbox.log" >&2
  exit 2
fi

# The keyboard of the tool's users: Italian, so that "è", "é", "à" and the like are keys of
# their own. xdotool types a character that no key carries by remapping a spare key just
# before pressing it, and a program that has not yet seen the new map reads the old one:
# such characters get lost now and then.
setxkbmap -layout it || { echo "xsession: setxkbmap could not set the Italian layout" >&2; exit 2; }

# In the background, so that a signal reaches the traps at once rather than after the
# command has ended.
"$@" &
command_pid=$!

# If this script is killed outright (a test timeout may do that), the traps do not run:
# a watchdog then stops the command, the server and the window manager.
parent=$$
(
  trap - EXIT INT TERM HUP
  while kill -0 "$parent" 2>/dev/null; do sleep 1; done
  kill "$command_pid" "$wm_pid" "$xvfb_pid" 2>/dev/null
  rm -rf "$scratch"
) </dev/null >/dev/null 2>&1 &
watchdog_pid=$!

set +e
wait "$command_pid"
status=$?
set -e
command_pid=""
exit "$status"
