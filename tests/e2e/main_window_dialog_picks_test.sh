#!/bin/sh
# The three functions of the assignment pages that ask for more than a
# code, each picked for the Glide's fourth button from the function menu,
# used with the pointer and the keyboard only, on a Wine desktop with the
# device simulator:
#   - the key combination: Cancel in its dialog leaves the label; Ctrl+V
#     typed into it and OK make the label read "Ctrl+V"; applied, a
#     simulated press pastes the clipboard into Notepad;
#   - the program launch: Cancel leaves the label; a batch file chosen with
#     Browse and OK names the label; applied, a simulated press runs it;
#   - the macro: Cancel in the editor leaves the label; a macro recorded by
#     typing "hi" and OK becomes the button's; applied, a simulated press
#     types it into Notepad.
# Screenshots stay in BUILD_DIR/e2e-main-window/screenshots/picks-*.png.
#
#   main_window_dialog_picks_test.sh BUILD_DIR
set -e
build=$(cd "$1" && pwd)
repo="$(cd "$(dirname "$0")/../.." && pwd)"
name=picks
. "$repo/tools/windowprobe/session.sh"
. "$repo/tests/e2e/lib/assignment_pages.sh"
. "$repo/tests/e2e/lib/macro_editor.sh"
session_check
session_start

glide="Varnok Glide M5"
stored_mouse() { probe assignments "$glide" | sed -n 's/^mouse //p'; }
stored_is() { [ "$(stored_mouse)" = "$1" ]; }
fail_details() { echo "stored: $(stored_mouse)"; echo "clipboard: $(probe clipboard)"; probe list 2>/dev/null | sed 's/^/  /'; }

# The fourth button's label, in the page, and the menu entries that open
# each dialog (0 is the first entry).
fourth_x=104 fourth_y=160
combination_entry=0 macro_entry=2 program_entry=3

dialog_gone() { ! window_exists "$1"; }
# open_dialog_for ENTRY WINDOW: the fourth button's label, the menu's ENTRY,
# and the dialog WINDOW it opens.
open_dialog_for() {
  click_label $fourth_x $fourth_y
  pick_from_menu "$1"
  await 20 "picking entry $1 opened no $2" window_exists "$2"
  probe front "$2" >/dev/null || true
  park_pointer
}
# close_dialog WINDOW X Y: a click there ends the dialog.
close_dialog() {
  click_in "$1" "$2" "$3"
  await 20 "the $1 window did not close" dialog_gone "$1"
}
apply() {
  click_in "$title" 610 357
  await 20 "Apply did not store $1 for the fourth button: $(stored_mouse)" stored_is "$1"
}
# A press and release of the fourth button; returns once the program has
# fetched both. What the press does is waited for by what it shows.
press_fourth_button() {
  sim log --clear >/dev/null
  sim queue 0x08 0x00 >/dev/null || fail "the program did not take the simulated press"
  await 20 "the program fetched no press" log_has "get event ok x2"
}
# open_notepad NAME: Notepad on an empty file NAME, in front with the
# keyboard. Opened only when it is needed: on a display without a window
# manager the keyboard stays with the window that had it last, and a
# window opened later takes it.
open_notepad() {
  notepad="$1 - Notepad"
  : >"$home/$1"
  w notepad "$(windows_path "$home/$1")" >/dev/null 2>&1 &
  await 30 "Notepad did not open" window_exists "$notepad"
  bring_notepad_forward
}
notepad_in_front() { [ "$(probe focus)" = "$notepad" ]; }
bring_notepad_forward() {
  probe front "$notepad" || true
  await 20 "Notepad is not in front" notepad_in_front
}
clipboard_is() { [ "$(probe clipboard)" = "$1" ]; }
# notepad_shows TEXT: Notepad's text field holds TEXT.
notepad_shows() {
  probe children "$notepad" | awk -v text="$1" '$1 == "Edit" { line = $0
    sub(/^Edit [-0-9]+ [-0-9]+ [-0-9]+ [-0-9]+ ?/, "", line); if (line == text) found = 1 } END { exit !found }'
}
# notepad_holds TEXT WHAT: Notepad's whole text is TEXT, once it shows it
# read through the clipboard (which a paste uses, so not before); fails
# naming WHAT otherwise.
notepad_holds() {
  await 30 "$2" notepad_shows "$1"
  bring_notepad_forward
  probe setclipboard "-" >/dev/null
  xdotool key ctrl+a ctrl+c
  await 10 "$2" clipboard_is "$1"
}

set_current_model 0x9050
start_simulator 2000
start_program
dismiss_balloon
double_click_tray
await 20 "the window did not open from the tray" window_is shown
label_says $fourth_x $fourth_y Back

echo "the key combination: Cancel changes nothing, Ctrl+V and OK name the label"
open_dialog_for $combination_entry CDlgCombo
shot combination-dialog
close_dialog CDlgCombo 220 115
label_says $fourth_x $fourth_y Back
open_dialog_for $combination_entry CDlgCombo
xdotool key ctrl+v
keys_through
shot combination-typed
close_dialog CDlgCombo 150 115
label_says $fourth_x $fourth_y Ctrl+V
apply "01 02 03 04 13 09 0A 10 11 56 57"

echo "a press pastes into Notepad"
pasted="Pasted by the fourth mouse button"
probe setclipboard "$pasted" || fail "could not set the clipboard"
open_notepad pasted.txt
press_fourth_button
shot combination-pasted
notepad_holds "$pasted" "the press pasted nothing into Notepad"

echo "the program launch: Cancel changes nothing, a chosen batch file names the label"
mkdir -p "$home/presses"
printf '@echo pressed>"%s\\%%RANDOM%%.txt"\r\n' "$(windows_path "$home/presses")" >"$home/pressed.bat"
double_click_tray
await 20 "the window did not come back from the tray" window_is shown
open_dialog_for $program_entry CDlgAutoStart
shot launch-dialog
close_dialog CDlgAutoStart 294 115
label_says $fourth_x $fourth_y Ctrl+V
open_dialog_for $program_entry CDlgAutoStart
click_in CDlgAutoStart 274 75
await 20 "Browse opened no file-open dialog" window_exists Open
choose_in_file_open "$(windows_path "$home/pressed.bat")"
park_pointer
shot launch-chosen
close_dialog CDlgAutoStart 219 115
label_says $fourth_x $fourth_y pressed.bat
apply "01 02 03 04 19 09 0A 10 11 56 57"

echo "a press runs the program"
launches() { find "$home/presses" -name '*.txt' | wc -l; }
launched() { [ "$(launches)" -ge 1 ]; }
press_fourth_button
await 30 "the press started no program" launched

echo "the macro: Cancel in the editor changes nothing, a recorded macro becomes the button's"
double_click_tray
await 20 "the window did not come back from the tray" window_is shown
open_dialog_for $macro_entry "$editor"
close_dialog "$editor" $(editor_button cancel)
label_says $fourth_x $fourth_y pressed.bat
open_dialog_for $macro_entry "$editor"
click_new
click_record
type_keys hi
click_record
shot macro-recorded
close_dialog "$editor" $(editor_button ok)
[ "$(macro_events 0)" = "48+,48-,49+,49-" ] || fail "typing hi stored the macro $(macro_events 0)"
label_says $fourth_x $fourth_y "$(macro_name 0)"
apply "01 02 03 04 14 09 0A 10 11 56 57"

echo "a press types the macro into Notepad"
open_notepad macro.txt
press_fourth_button
notepad_holds hi "the press typed no macro into Notepad"
shot macro-played

sim post "$title" 0x111 2 || fail "could not post the exit command"
await_program_end 30 "the program did not end on the exit command"
echo "main window dialog picks: ok"
