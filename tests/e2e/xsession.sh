#!/usr/bin/env bash
# Runs a command inside a private X session: an Xvfb server on a display of its own choice
# and the openbox window manager (without one, dialogs can open behind the main window and
# never get the keyboard). DISPLAY is exported to the command; the session and its scratch
# folder go away when the command ends. Every end-to-end run goes through here, so that it
# sees the same fonts and settings on every machine and for every user: the tests' own
# fontconfig file, a scratch home and XDG folders, and no Qt or desktop-session variable of
# the user's (a variable the command needs it sets itself: `xsession.sh env QT_X=1 ...`).
#
#   tests/e2e/xsession.sh command [args...]
#
# Exit status: the command's, or 2 when the session could not be started.
set -euo pipefail
scratch=$(mktemp -d "${TMPDIR:-/tmp}/kelvo-xsession.XXXXXX")
trap 'kill $(jobs -p) 2>/dev/null; wait; rm -rf "$scratch"' EXIT
unset $(compgen -e | grep -E '^QT_') XDG_CURRENT_DESKTOP XDG_SESSION_DESKTOP DESKTOP_SESSION KDE_FULL_SESSION XMODIFIERS
export HOME="$scratch" XDG_RUNTIME_DIR="$scratch" XDG_CONFIG_HOME="$scratch" XDG_CACHE_HOME="$scratch" \
       XDG_DATA_HOME="$scratch" XDG_STATE_HOME="$scratch" FONTCONFIG_FILE="$(dirname "$(realpath "$0")")/../fonts.conf"

# The server picks a free display itself and tells its number. Two servers, of any users,
# never share one: a server takes a display only by binding its socket in the abstract
# namespace, which the kernel grants to one alone.
Xvfb -displayfd 3 -screen 0 1600x1200x24 -nolisten tcp 3>"$scratch/display" 2>"$scratch/xvfb.log" &
for _ in $(seq 100); do [[ -s "$scratch/display" ]] && break; sleep 0.1; done
[[ -s "$scratch/display" ]] || { cat "$scratch"/*.log >&2; exit 2; }
export DISPLAY=":$(cat "$scratch/display")"

openbox --sm-disable >"$scratch/openbox.log" 2>&1 &
# openbox announces itself on the root window once it manages the screen.
for _ in $(seq 100); do xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id' && break; sleep 0.1; done
xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id' || { cat "$scratch"/*.log >&2; exit 2; }

"$@"
