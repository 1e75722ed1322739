#!/bin/sh
# A press of a remapped button does its job in the program a person works
# in: the stored settings give the mouse's fourth button "select all" and
# its fifth button "copy"; with Wine's Notepad in front, the device
# simulator reports a press and release of each, and Notepad's text must
# then be on the clipboard.
#
#   main_window_press_test.sh BUILD_DIR
set -e
build=$(cd "$1" && pwd)
repo="$(cd "$(dirname "$0")/../.." && pwd)"
name=press
. "$repo/tools/windowprobe/session.sh"
session_check
session_start

duo="Varnok Duo S8"
FN_COPY=0x41
FN_SELECT_ALL=0x44
text="Copied by the fifth mouse button"
editor="press.txt - Notepad"

clipboard_is() { [ "$(probe clipboard)" = "$1" ]; }
editor_in_front() { [ "$(probe focus)" = "$editor" ]; }

echo "the buttons are given select all and copy"
set_current_model 0x9080
start_simulator 2000
start_program
await 60 "the program did not give the driver its masks" masks_are 0x00000180 0x019C0000
sim post "$title" 0x111 2 || fail "could not post the exit command"
await_program_end 30 "the program did not end on the exit command"
# Positions 4 and 3 of the Duo's mouse table are the fourth button (button
# code 5, state bit 0x08) and the fifth (button code 4, state bit 0x10).
probe assign "$duo" mouse 4 $FN_SELECT_ALL || fail "could not store the fourth button's assignment"
probe assign "$duo" mouse 3 $FN_COPY || fail "could not store the fifth button's assignment"
start_program
await 60 "the program did not take over the two buttons" masks_are 0x00000198 0x019C0000

echo "presses in front of Notepad"
printf '%s' "$text" >"$home/press.txt"
w notepad "$(windows_path "$home/press.txt")" >/dev/null 2>&1 &
await 30 "Notepad did not open" window_exists "$editor"
probe front "$editor" || true
await 20 "Notepad is not in front" editor_in_front
probe setclipboard "nothing copied yet" || fail "could not set the clipboard"
clipboard_is "nothing copied yet" || fail "the clipboard did not take the marker text"
sim queue 0x08 0x00 0x10 0x00 >/dev/null || fail "the program did not take the simulated presses"
fail_details() { echo "clipboard: $(probe clipboard)"; }
await 20 "Notepad's text did not reach the clipboard" clipboard_is "$text"
shot notepad-after-select-all-and-copy

sim post "$title" 0x111 2 || fail "could not post the exit command"
await_program_end 30 "the program did not end on the exit command"
echo "main window press: ok"
