#!/usr/bin/env bash
# The language switch and the two warnings on a real X server: switch to English from the
# menu, open a file that is not valid and see the English error box, open a valid one,
# type a character the device cannot show and see the English warning; a save before and
# one after the refused character must write the same file. Run inside
# tests/e2e/xsession.sh:
#
#   english_refusal.sh PROGRAM SOURCE_HEX WORK_DIR
#
# On a failure the screen is saved as WORK_DIR/english_refusal-failure.png.
set -euo pipefail

[[ $# -eq 3 ]] || { echo "usage: $0 PROGRAM SOURCE_HEX WORK_DIR" >&2; exit 2; }
program=$1 source_hex=$2 work=$3

source "$(dirname "$0")/xdriver.sh"
export QT_QPA_PLATFORM=xcb

run="$work/english_refusal"
rm -rf "$run"
mkdir -p "$run"
valid="$run/generatore.hex"
invalid="$run/quindici.hex"
before="$run/before.hex"
after="$run/after.hex"
failure_shot="$work/english_refusal-failure.png"
rm -f "$failure_shot"

pid=""
cleanup() { [[ -n "$pid" ]] && kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null; return 0; }
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  xd_shot_screen "$failure_shot" 2>/dev/null && echo "the screen at the failure: $failure_shot" >&2
  [[ -s "$run/program.log" ]] && { echo "the program's output:" >&2; cat "$run/program.log" >&2; }
  exit 1
}
step() { echo "-- $*"; }

cp "$source_hex" "$valid"
# Fifteen EEPROM records: the first one left out.
awk '!done && /^:1042/ { done = 1; next } { print }' "$source_hex" >"$invalid"
[[ $(grep -c '^:1042' "$invalid") -eq 15 ]] || fail "the fixture is broken: $invalid has not 15 EEPROM records"

# Answers the message box titled $1 with Return and waits until it is gone.
answer_box() {
  local box
  box=$(xd_wait_window "^$1\$" 10) || return 1
  xd_activate "$box"
  xd_key Return
  xd_wait_no_window "^$1\$" 5
}

save_as() {
  xd_activate "$wid"
  xd_key ctrl+s
  xd_wait_window 'Save File' 10 >/dev/null || fail "Ctrl+S opened no dialog titled 'Save File...'"
  xd_answer_file_dialog "$1" 'Save File' || fail "the save dialog did not take $1"
  for _ in $(seq 100); do [[ -e "$1" ]] && break; sleep 0.1; done
  [[ -e "$1" ]] || fail "no file $1 was written"
}

step "start $program"
"$program" </dev/null >"$run/program.log" 2>&1 &
pid=$!
wid=$(xd_wait_window 'Personalizzazione Barre  Kelvo' 30) || fail "no Italian window appeared"
xd_activate "$wid"
xd_geometry "$wid" || fail "no geometry for the main window"
top=$(( WIN_HEIGHT - 513 ))

step "English from the menu: File, Lingua, English"
xd_click_at "$wid" 20 $(( top / 2 ))
sleep 1  # the menu pops up
xd_key Down Down Right  # Salva, disabled, is skipped
sleep 0.5  # the submenu pops up
xd_key Down Return
xd_wait_window 'Customize Bar Kelvo' 5 >/dev/null || fail "the window title did not turn English"

step "open the file that is not valid: $invalid"
xd_activate "$wid"
xd_key ctrl+o
xd_wait_window 'Open File' 10 >/dev/null || fail "Ctrl+O opened no dialog titled 'Open File...'"
xd_answer_file_dialog "$invalid" 'Open File' || fail "the open dialog did not take $invalid"
answer_box 'ERROR !' || fail "no English error box titled 'ERROR !' came up"

step "open the valid file and save it as $before"
xd_activate "$wid"
xd_key ctrl+o
xd_wait_window 'Open File' 10 >/dev/null || fail "the second Ctrl+O opened no dialog"
xd_answer_file_dialog "$valid" 'Open File' || fail "the open dialog did not take $valid"
save_as "$before"

# EditNominativo: Panel2 (0, 2) > GroupTestoFisso (536, 233) > GroupNominativo (5, 32)
# > the edit (6, 24, 145 x 23).
step "type a refused character into the call sign"
xd_activate "$wid"
xd_click_at "$wid" $(( 536 + 5 + 6 + 72 )) $(( top + 2 + 233 + 32 + 24 + 11 ))
xd_key End
xd_type 'é'
answer_box 'WARNING' || fail "no English warning titled 'WARNING' came up"
save_as "$after"
cmp "$before" "$after" || fail "the refused character changed what is saved"

xd_activate "$wid"
xd_key ctrl+x
for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$pid" 2>/dev/null && fail "the program did not end on Ctrl+X"
pid=""
echo "PASS: English error box and warning shown, refused character kept out of the file"
