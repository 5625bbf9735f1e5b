#!/usr/bin/env bash
# Takes the README's pictures of the window, with a firmware file opened through the open
# dialog as a user would, in a private X session (Xvfb + openbox):
#   docs/screenshot-it.png   as the program starts, in Italian
#   docs/screenshot-en.png   after switching to English with Ctrl+E
#   docs/screenshot-it-scale2.png   in Italian again, with every size doubled (QT_SCALE_FACTOR=2)
#
#   scripts/screenshot.sh [--out DIR] [--no-build]
#
# Builds the README's configuration (preset default) first. Fails, saying so, when a step
# does not happen on screen; a picture of the whole screen is then left in the build folder.
set -euo pipefail
cd "$(dirname "$0")/.."

out=docs
build=1
inside=0
while [[ $# -gt 0 ]]; do
  case "$1" in
    --out) out=$2; shift 2 ;;
    --no-build) build=0; shift ;;
    --inside) inside=1; shift ;;  # internal: already inside the X session
    *) echo "usage: $0 [--out DIR] [--no-build]" >&2; exit 2 ;;
  esac
done

build_dir=build/default
program="$build_dir/app/kelvo-barre"

if (( ! inside )); then
  if (( build )); then
    bash scripts/install-deps.sh --test
    cmake --preset default >/dev/null
    cmake --build --preset default -j2
  fi
  [[ -x "$program" ]] || { echo "screenshot: $program is not built" >&2; exit 1; }
  exec bash tests/e2e/xsession.sh bash "$0" --inside --out "$out"
fi

source scripts/xdriver.sh
export QT_QPA_PLATFORM=xcb

scratch=$(mktemp -d "${TMPDIR:-/tmp}/kelvo-screenshot.XXXXXX")
trap 'xd_stop; rm -rf "$scratch"' EXIT
XD_FAILURE_SHOT="$build_dir/screenshot-failure.png"
XD_LOG="$scratch/program.log"

# The firmware file: the assembler's output for the tests' source.
firmware="$scratch/generatore.hex"
gpasm -o "$firmware" tests/data/generator.asm >/dev/null || xd_fail "gpasm could not assemble the firmware file"

mkdir -p "$out"
italian_title='Personalizzazione Barre  Kelvo'
english_title='Customize Bar Kelvo'

# Starts the program at the scale $1 and opens the firmware file through the open dialog;
# the window is $wid.
start_and_open() {
  QT_SCALE_FACTOR=$1 xd_start "$program"
  wid=$(xd_wait_window "$italian_title" 30) || xd_fail "no window titled '$italian_title' appeared"
  xd_activate "$wid"
  xd_key ctrl+o
  xd_wait_window 'Apertura File' 10 >/dev/null || xd_fail "Ctrl+O opened no dialog titled 'Apertura File...'"
  xd_answer_file_dialog "$firmware" 'Apertura File' || xd_fail "the open dialog did not take $firmware"
  # The pointer goes out of the way, so that no hint covers the window.
  xdotool mousemove 1590 1190
  sleep 1
}

# Ends the program with Ctrl+X.
end_program() {
  xd_key ctrl+x
  xd_wait_end || xd_fail "the program did not end on Ctrl+X"
}

start_and_open 1
xd_shot_window "$wid" "$out/screenshot-it.png" || xd_fail "could not take the Italian picture"
echo "screenshot: $out/screenshot-it.png"
xd_activate "$wid"
xd_key ctrl+e
xd_wait_window "$english_title" 5 >/dev/null || xd_fail "the English title '$english_title' did not appear after Ctrl+E"
sleep 1
xd_shot_window "$wid" "$out/screenshot-en.png" || xd_fail "could not take the English picture"
echo "screenshot: $out/screenshot-en.png"
end_program

start_and_open 2
xd_shot_window "$wid" "$out/screenshot-it-scale2.png" || xd_fail "could not take the picture at scale 2"
echo "screenshot: $out/screenshot-it-scale2.png"
end_program
