#!/usr/bin/env bash
# Runs a command inside a private X session: an Xvfb server on a display of its own choice
# and the openbox window manager (without one, dialogs can open behind the main window and
# never get the keyboard). DISPLAY is exported to the command; the session and its scratch
# folder go away when the command ends.
#
#   tests/e2e/xsession.sh command [args...]
#
# Exit status: the command's, or 2 when the session could not be started.
set -euo pipefail
scratch=$(mktemp -d "${TMPDIR:-/tmp}/kelvo-xsession.XXXXXX")
trap 'kill $(jobs -p) 2>/dev/null; wait; rm -rf "$scratch"' EXIT
# Nothing of the user's own desktop settings leaks in or is written.
export XDG_RUNTIME_DIR="$scratch" XDG_CONFIG_HOME="$scratch" XDG_CACHE_HOME="$scratch"

# The server picks a free display itself and tells its number; two servers starting at the
# same moment can pick the same one, so one session at a time starts its server.
exec 9>"${TMPDIR:-/tmp}/kelvo-xsession.lock"
flock 9
Xvfb -displayfd 3 -screen 0 1600x1200x24 -nolisten tcp 3>"$scratch/display" 2>"$scratch/xvfb.log" &
for _ in $(seq 100); do [[ -s "$scratch/display" ]] && break; sleep 0.1; done
flock -u 9
[[ -s "$scratch/display" ]] || { cat "$scratch"/*.log >&2; exit 2; }
export DISPLAY=":$(cat "$scratch/display")"

openbox --sm-disable >"$scratch/openbox.log" 2>&1 &
# openbox announces itself on the root window once it manages the screen.
for _ in $(seq 100); do xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id' && break; sleep 0.1; done
xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id' || { cat "$scratch"/*.log >&2; exit 2; }

"$@"
