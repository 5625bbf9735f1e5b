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

xd_begin_run "$work" english_refusal
run=$XD_RUN
valid="$run/generatore.hex"
invalid="$run/quindici.hex"
before="$run/before.hex"
after="$run/after.hex"

cp "$source_hex" "$valid"
# Fifteen EEPROM records: the first one left out.
awk '!done && /^:1042/ { done = 1; next } { print }' "$source_hex" >"$invalid"
[[ $(grep -c '^:1042' "$invalid") -eq 15 ]] || xd_fail "the fixture is broken: $invalid has not 15 EEPROM records"

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
  xd_wait_window 'Save File' 10 >/dev/null || xd_fail "Ctrl+S opened no dialog titled 'Save File...'"
  xd_answer_file_dialog "$1" 'Save File' || xd_fail "the save dialog did not take $1"
  xd_wait_file "$1" || xd_fail "no file $1 was written"
}

xd_step "start $program"
xd_start "$program"
wid=$(xd_wait_window 'Personalizzazione Barre  Kelvo' 30) || xd_fail "no Italian window appeared"
xd_activate "$wid"
xd_geometry "$wid" || xd_fail "no geometry for the main window"
top=$(( WIN_HEIGHT - 513 ))

xd_step "English from the menu: File, Lingua, English"
xd_click_at "$wid" 20 $(( top / 2 ))
sleep 1  # the menu pops up
xd_key Down Down Right  # Salva, disabled, is skipped
sleep 0.5  # the submenu pops up
xd_key Down Return
xd_wait_window 'Customize Bar Kelvo' 5 >/dev/null || xd_fail "the window title did not turn English"

xd_step "open the file that is not valid: $invalid"
xd_activate "$wid"
xd_key ctrl+o
xd_wait_window 'Open File' 10 >/dev/null || xd_fail "Ctrl+O opened no dialog titled 'Open File...'"
xd_answer_file_dialog "$invalid" 'Open File' || xd_fail "the open dialog did not take $invalid"
answer_box 'ERROR !' || xd_fail "no English error box titled 'ERROR !' came up"

xd_step "open the valid file and save it as $before"
xd_activate "$wid"
xd_key ctrl+o
xd_wait_window 'Open File' 10 >/dev/null || xd_fail "the second Ctrl+O opened no dialog"
xd_answer_file_dialog "$valid" 'Open File' || xd_fail "the open dialog did not take $valid"
save_as "$before"

# EditNominativo: Panel2 (0, 2) > GroupTestoFisso (536, 233) > GroupNominativo (5, 32)
# > the edit (6, 24, 145 x 23).
xd_step "type a refused character into the call sign"
xd_activate "$wid"
xd_click_at "$wid" $(( 536 + 5 + 6 + 72 )) $(( top + 2 + 233 + 32 + 24 + 11 ))
xd_key End
xd_type 'é'
answer_box 'WARNING' || xd_fail "no English warning titled 'WARNING' came up"
save_as "$after"
cmp "$before" "$after" || xd_fail "the refused character changed what is saved"

xd_activate "$wid"
xd_key ctrl+x
xd_wait_end || xd_fail "the program did not end on Ctrl+X"
echo "PASS: English error box and warning shown, refused character kept out of the file"
