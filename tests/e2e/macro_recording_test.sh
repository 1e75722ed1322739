#!/bin/sh
# While the macro editor records, the keyboard is the macro's, with real keys
# typed on the virtual screen (xdotool) reaching the editor's own window and
# the keyboard-hook library alike:
#   - "ab", Tab, "cd", Down, Down, "e" are recorded as exactly those presses
#     and releases, in order; the recording goes on and neither number box
#     takes a character;
#   - Alt+F4 is recorded and the editor stays open;
#   - a key still held when the recording is stopped gets its release;
#   - a name longer than ten characters (a language's default name) stays
#     whole when it is opened for renaming and left as it was.
# The editor runs in the window demo on the program folder's copy; what it
# stored is read from the registry with the window probe. Screenshots of
# each step stay in BUILD_DIR/e2e-main-window/screenshots.
#
#   macro_recording_test.sh BUILD_DIR
set -e
build=$(cd "$1" && pwd)
repo="$(cd "$(dirname "$0")/../.." && pwd)"
name=macro_recording
. "$repo/tools/windowprobe/session.sh"
. "$repo/tests/e2e/lib/macro_editor.sh"

demo_check
session_start

fail_details() {
  echo "event list: $(event_rows 2>/dev/null)"
  echo "count box: \"$(box_text $loop_box 2>/dev/null)\", pause box: \"$(box_text $delay_box 2>/dev/null)\""
  echo "stored macros:"
  probe macros 2>/dev/null | sed 's/^/  /'
}

# Starts a recording with a click on the record button, as a person does,
# and waits until the button says it records.
start_recording() {
  click_in "$editor" 361 233
  await 20 "the record button does not say Stop" recording_shown
}
stop_recording() {
  click_in "$editor" 361 233
  await 20 "the record button does not say Record again" recording_not_shown
}

echo "Tab and the arrow keys are recorded like the letters and move nothing"
open_editor
click_new
start_recording
xdotool type --delay 120 ab
xdotool key --delay 120 Tab
xdotool type --delay 120 cd
xdotool key --delay 120 Down Down
xdotool type --delay 120 e
typed="A+,A-,B+,B-,Tab+,Tab-,C+,C-,D+,D-,Down+,Down-,Down+,Down-,E+,E-"
await 20 "the keys were not recorded as typed" event_rows_are "$typed"
shot recorded-with-tab-and-arrows
[ "$(box_text $loop_box)" = "1" ] || fail "the count box took \"$(box_text $loop_box)\""
[ "$(box_text $delay_box)" = "100" ] || fail "the pause box took \"$(box_text $delay_box)\""
recording_shown || fail "the recording no longer shows as running"
# Still recording: the next key is the macro's too.
xdotool type f
await 20 "the recording ended before F" event_rows_are "$typed,F+,F-"

echo "Alt+F4 is recorded and leaves the editor open"
# xdotool lets Alt go before F4; the macro keeps the order the keys came in.
xdotool key alt+F4
xdotool type g
# G comes after Alt+F4 in the keyboard's queue: once G is shown, Alt+F4 was
# handled.
await 20 "Alt+F4 and G were not recorded" event_rows_are "$typed,F+,F-,LAlt+,F4+,LAlt-,F4-,G+,G-"
window_exists "$editor" || fail "Alt+F4 closed the editor"
recording_shown || fail "Alt+F4 ended the recording"
stop_recording
close_editor_with ok
[ "$(macro_events 0)" = "41+,41-,42+,42-,09+,09-,43+,43-,44+,44-,28+,28-,28+,28-,45+,45-,46+,46-,A4+,73+,A4-,73-,47+,47-" ] ||
  fail "the recording stored $(macro_events 0)"

echo "a key held when the recording stops gets its release"
open_editor 0
start_recording
await 20 "the new recording did not start empty" event_rows_are ""
xdotool keydown shift
await 20 "Shift's press was not recorded" event_rows_are "LShift+"
stop_recording
xdotool keyup shift
await 20 "Shift's release was not added" event_rows_are "LShift+,LShift-"
shot held-key-released
close_editor_with ok
[ "$(macro_events 0)" = "A0+,A0-" ] || fail "the held Shift stored $(macro_events 0)"

echo "a long name stays whole when renaming changes nothing"
# A language whose new macros get a 13-character name.
long_name="Macro nouveau"
sed -i "s|<tc_new_macro>[^<]*</tc_new_macro>|<tc_new_macro>$long_name</tc_new_macro>|" "$home/language.xml"
open_editor
click_new
close_editor_with ok
[ "$(macro_name 1)" = "$long_name" ] || fail "the new macro is called \"$(macro_name 1)\""
open_editor 1
# The two number boxes are edit windows too; the name's edit is a third.
edit_windows() { probe children "$editor" | grep -c '^Edit '; }
edit_open() { [ "$(edit_windows)" -eq 3 ]; }
edit_closed() { [ "$(edit_windows)" -eq 2 ]; }
double_click_macro_row 1
await 20 "the double click did not open the name for editing" edit_open
shot long-name-edit-open
# A click elsewhere ends the edit, keeping its text.
click_event_row 0
await 20 "the edit did not close" edit_closed
close_editor_with ok
[ "$(macro_name 1)" = "$long_name" ] || fail "the unchanged name was stored as \"$(macro_name 1)\""
echo "macro recording: ok"
