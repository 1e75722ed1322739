#!/bin/sh
# The macro editor driven as a person drives it, with real keys typed on the
# virtual screen (xdotool) reaching it through the keyboard-hook library:
#   - typing "ab" records A down, A up, B down, B up with no pauses;
#   - with the pause switch on, gaps are stored and shown as "N ms" rows,
#     and a selected pause row takes the pause box's value;
#   - the on-screen left mouse button records 0xC1 down and up;
#   - while recording, keys typed with the repeat-count box focused are
#     recorded and the box takes none; after the recording it takes them;
#   - a double-clicked name keeps 10 of 12 typed characters, stored after OK
#     and not after Cancel;
#   - with the simulated-hardware program: "hello" and Enter recorded,
#     assigned to the mouse's fourth button, played into Notepad by a
#     simulated press.
# The editor runs in the window demo on the program folder's copy; what it
# stored is read from the registry with the window probe. Screenshots of
# each step stay in BUILD_DIR/e2e-main-window/screenshots.
#
#   macro_editor_test.sh BUILD_DIR
set -e
build=$(cd "$1" && pwd)
repo="$(cd "$(dirname "$0")/../.." && pwd)"
name=macro
. "$repo/tools/windowprobe/session.sh"
. "$repo/tests/e2e/lib/macro_editor.sh"

demo_check
session_start

fail_details() { echo "stored macros:"; probe macros 2>/dev/null | sed 's/^/  /'; }

echo "typing ab records four key events without pauses"
open_editor
click_new
click_record
type_keys ab
click_record
shot recorded-ab
close_editor_with ok
[ "$(macro_events 0)" = "41+,41-,42+,42-" ] || fail "typing ab stored $(macro_events 0)"
[ "$(macro_line 0 | cut -d' ' -f2-4)" = "0 0 1" ] || fail "the macro's settings are $(macro_line 0)"

echo "with the pause switch on the gaps are stored and shown"
open_editor 0
click_record
click_delay_switch
# Each key goes down or up only once the one before has been through the
# hooks, so there is a gap between any two. How long a gap is recorded as is
# the native tests' to check, on their clock.
for step in "keydown a" "keyup a" "keydown b" "keyup b"; do
  xdotool $step
  keys_through
done
click_record
shot recorded-with-pauses
close_editor_with ok
events=$(macro_events 0)
# Every event but the last has its pause.
printf '%s' "$events" | grep -Eq '^41\+/[0-9]+,41-/[0-9]+,42\+/[0-9]+,42-$' || fail "the recorded pauses are $events"
[ "$(macro_line 0 | cut -d' ' -f2)" = "1" ] || fail "the macro does not say its pauses were recorded"

echo "a selected pause row takes the pause box's value"
open_editor 0
click_event_row 1
shot pause-row-selected
click_delay_box
xdotool key End BackSpace BackSpace BackSpace BackSpace
type_keys 250
click_event_row 3
click_modify
close_editor_with ok
printf '%s' "$(macro_events 0)" | grep -Eq '^41\+/[0-9]+,41-/250,42\+/[0-9]+,42-$' ||
  fail "the pause after A's release is not 250 ms: $(macro_events 0)"

echo "the on-screen left mouse button records 0xC1 down and up"
open_editor
click_new
click_record
click_left_mouse_button
click_record
close_editor_with ok
[ "$(macro_events 1)" = "C1+,C1-" ] || fail "the left mouse button stored $(macro_events 1)"

echo "while recording the repeat-count box takes no key; afterwards it does"
open_editor 1
click_record
click_loop_switch
click_loop_box
xdotool key End
type_keys 5
await 20 "the keys typed at the count box were not recorded" event_rows_are "End+,End-,5+,5-"
[ "$(box_text $loop_box)" = "1" ] || fail "the count box took \"$(box_text $loop_box)\" while recording"
click_record
click_loop_box
xdotool key End
type_keys 5
close_editor_with ok
[ "$(macro_events 1)" = "23+,23-,35+,35-" ] || fail "typing at the count box recorded $(macro_events 1)"
[ "$(macro_line 1 | cut -d' ' -f3-4)" = "1 15" ] || fail "the count box's 15 was not stored: $(macro_line 1)"

echo "renaming in place keeps ten characters, stored on OK only"
# The name is edited in a text field over the row, beside the two number
# boxes; Enter ends the editing.
edit_fields_are() { [ "$(probe children "$editor" | awk '$1 == "Edit"' | wc -l)" -eq "$1" ]; }
rename_first_macro() {
  new_name=$1
  rect=$(probe rect "$editor") || fail "no editor to rename in"
  set -- $rect
  move_pointer $(($1 + 70)) $(($2 + 71))
  xdotool click --repeat 2 --delay 80 1
  await 20 "a double click on the name opened no text field" edit_fields_are 3
  type_keys "$new_name"
}
end_renaming() {
  xdotool key Return
  await 20 "Enter did not end the renaming" edit_fields_are 2
}
open_editor 0
rename_first_macro abcdefghijkl
shot rename-edit-open
end_renaming
close_editor_with ok
[ "$(macro_name 0)" = "abcdefghij" ] || fail "the renamed macro is called \"$(macro_name 0)\""
open_editor 0
rename_first_macro zzz
end_renaming
close_editor_with cancel
[ "$(macro_name 0)" = "abcdefghij" ] || fail "Cancel kept the name \"$(macro_name 0)\""

if [ "$simulated" != yes ]; then
  echo "macro editor: ok (playing a macro needs the simulated-hardware build)"
  exit 0
fi

echo "hello and Enter, recorded, assigned to a button and played into Notepad"
duo="Varnok Duo S8"
FN_MACRO=0x14
notepad="hello.txt - Notepad"
open_editor
click_new
click_record
xdotool type hello
xdotool key Return
keys_through
click_record
shot recorded-hello
close_editor_with ok
[ "$(macro_events 2)" = "48+,48-,45+,45-,4C+,4C-,4C+,4C-,4F+,4F-,0D+,0D-" ] ||
  fail "hello and Enter stored $(macro_events 2)"

set_current_model 0x9080
start_simulator 2000
# Position 4 of the Duo's mouse table is its fourth button (state bit 0x08).
probe assign "$duo" mouse 4 $FN_MACRO 2 || fail "could not give the fourth button the macro"
start_program
await 60 "the program did not take over the fourth button" masks_are 0x00000188 0x019C0000
: >"$home/hello.txt"
w notepad "$(windows_path "$home/hello.txt")" >/dev/null 2>&1 &
await 30 "Notepad did not open" window_exists "$notepad"
notepad_in_front() { [ "$(probe focus)" = "$notepad" ]; }
probe front "$notepad" || true
await 20 "Notepad is not in front" notepad_in_front
sim queue 0x08 0x00 >/dev/null || fail "the program did not take the simulated press"
# The macro has played once Notepad's text is "hello" and a line break.
notepad_shows_hello() {
  probe children "$notepad" | awk 'found && !done { empty = ($0 == ""); done = 1 }
    $1 == "Edit" && $NF == "hello" { found = 1 } END { exit !(found && empty) }'
}
await 30 "the macro did not type hello and Enter into Notepad" notepad_shows_hello
xdotool key ctrl+a ctrl+c
# Notepad's text is "hello" and the line break of Enter; the probe ends what
# it prints with a line break of its own.
clipboard_is_hello() { [ "$(probe clipboard | tr '\n' '|')" = "hello||" ]; }
fail_details() { echo "clipboard: $(probe clipboard)"; }
await 20 "Notepad does not hold the macro's text" clipboard_is_hello
shot notepad-after-macro
sim post "$title" 0x111 2 || fail "could not post the exit command"
await_program_end 30 "the program did not end on the exit command"
echo "macro editor: ok"
