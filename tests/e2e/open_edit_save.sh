#!/usr/bin/env bash
# The whole road of a user, on a real X server, through the real dialogs: open an
# assembler-made firmware file, pick the last frame, type a call sign, save under a new
# name, exit. The written file must equal, byte for byte, what the assembler makes of the
# same source with those two settings changed, with the line ends the program writes.
# Run inside tests/e2e/xsession.sh:
#
#   open_edit_save.sh PROGRAM SOURCE_HEX EDITED_HEX WORK_DIR
#
# On a failure the screen is saved as WORK_DIR/open_edit_save-failure.png.
set -euo pipefail

[[ $# -eq 4 ]] || { echo "usage: $0 PROGRAM SOURCE_HEX EDITED_HEX WORK_DIR" >&2; exit 2; }
program=$1 source_hex=$2 edited_hex=$3 work=$4

source "$(dirname "$0")/xdriver.sh"
export QT_QPA_PLATFORM=xcb

xd_begin_run "$work" open_edit_save
run=$XD_RUN
opened="$run/generatore.hex"
saved="$run/salvato.hex"
expected="$run/expected.hex"

cp "$source_hex" "$opened"
# The program ends every line with CR LF and writes no line end after the end record.
sed 's/\r$//; s/$/\r/' "$edited_hex" | head -c -2 >"$expected"
cmp -s "$opened" "$expected" && xd_fail "the fixture is broken: source and expected file are equal"

main_title='Personalizzazione Barre  Kelvo'

xd_step "start $program"
xd_start "$program"
wid=$(xd_wait_window "$main_title" 30) || xd_fail "no window titled '$main_title' appeared"
xd_activate "$wid"

# Positions below are those of the window's layout, in its client area below the menu
# bar: the client area is 708 x 513, so whatever the window is taller is the menu bar.
xd_geometry "$wid" || xd_fail "no geometry for the main window"
[[ "$WIN_WIDTH" -eq 708 && "$WIN_HEIGHT" -gt 513 ]] ||
  xd_fail "the main window is ${WIN_WIDTH}x${WIN_HEIGHT}, not 708 wide with a menu bar above 513"
top=$(( WIN_HEIGHT - 513 ))

xd_step "Ctrl+O, open $opened"
xd_key ctrl+o
xd_wait_window 'Apertura File' 10 >/dev/null || xd_fail "Ctrl+O opened no dialog titled 'Apertura File...'"
xd_answer_file_dialog "$opened" 'Apertura File' || xd_fail "the open dialog did not take $opened"

# Quadro15, the last frame button of the lower row: Panel2 (0, 2) > GroupQuadri (1, 43)
# > ToolBar1 (10, 104) > button 7 (left 602, top 2, 81 x 63); its middle.
xd_step "click frame button 16"
xd_click_at "$wid" $(( 1 + 10 + 602 + 40 )) $(( top + 2 + 43 + 104 + 2 + 31 ))

# EditNominativo: Panel2 (0, 2) > GroupTestoFisso (536, 233) > GroupNominativo (5, 32)
# > the edit (6, 24, 145 x 23). Emptied with keys alone: End, then one Backspace a character.
xd_step "type the call sign Q0TEST"
xd_click_at "$wid" $(( 536 + 5 + 6 + 72 )) $(( top + 2 + 233 + 32 + 24 + 11 ))
xd_key End BackSpace BackSpace BackSpace BackSpace BackSpace BackSpace BackSpace BackSpace
xd_type Q0TEST

xd_step "Ctrl+S, save as $saved"
xd_key ctrl+s
xd_wait_window 'Scrittura File' 10 >/dev/null || xd_fail "Ctrl+S opened no dialog titled 'Scrittura File...'"
xd_answer_file_dialog "$saved" 'Scrittura File' || xd_fail "the save dialog did not take $saved"
xd_wait_file "$saved" || xd_fail "no file $saved was written"

xd_step "Ctrl+X"
xd_activate "$wid"
xd_key ctrl+x
xd_wait_end || xd_fail "the program did not end on Ctrl+X"
[[ $XD_STATUS -eq 0 ]] || xd_fail "the program ended with exit status $XD_STATUS, not 0"

xd_step "check the written file"
if ! cmp "$expected" "$saved"; then
  echo "expected:" >&2; cat -A "$expected" >&2; echo >&2
  echo "written:" >&2; cat -A "$saved" >&2; echo >&2
  xd_fail "the written file differs from the expected one"
fi
cmp -s "$source_hex" "$opened" || xd_fail "saving under a new name changed the opened file"
[[ ! -e "$run/salvato.Tmp" ]] || xd_fail "the temporary file $run/salvato.Tmp was left behind"
echo "PASS: $saved holds the expected records"
