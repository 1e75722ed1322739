#!/bin/sh
# The command buttons of the tray program's window, clicked on a Wine
# desktop with the device simulator; the Duo's fourth button is given
# "copy" in the stored settings, and the stored record is changed behind
# the program's back to see what each button stores:
#   - Apply stores the applied record and sends the masks; the window stays;
#     when the driver refuses the masks, it warns and stores nothing;
#   - OK stores it and hides the window;
#   - Cancel hides the window, stores nothing, and brings the stored record
#     back: a press then does what the stored record says;
#   - Reset asks through the message dialog: Cancel changes nothing, OK gives
#     every button its own function back (masks sent, nothing stored until
#     Apply).
#
#   main_window_buttons_test.sh BUILD_DIR
set -e
build=$(cd "$1" && pwd)
repo="$(cd "$(dirname "$0")/../.." && pwd)"
name=buttons
. "$repo/tools/windowprobe/session.sh"
session_check
session_start

duo="Varnok Duo S8"
FN_COPY=0x41
FN_PASTE=0x42
FN_SELECT_ALL=0x44
defaults="01 02 03 04 05 09 0A"
with_copy="01 02 03 04 41 09 0A"
with_paste="01 02 03 04 42 09 0A"
with_select_all="01 02 03 04 44 09 0A"

stored_mouse() { probe assignments "$duo" | sed -n 's/^mouse //p'; }
stored_is() { [ "$(stored_mouse)" = "$1" ]; }
# Changes the stored record behind the program's back.
store_behind() {
  probe assign "$duo" mouse 4 "$1" || fail "could not change the stored record"
  stored_is "$2" || fail "the stored record did not take the change: $(stored_mouse)"
}
click_button() {
  case $1 in
    reset) click_in "$title" 133 358 ;;
    ok) click_in "$title" 444 357 ;;
    cancel) click_in "$title" 524 357 ;;
    apply) click_in "$title" 610 357 ;;
  esac
}
open_window() {
  sim post "$title" 0x600 0 515 || fail "could not post to the window"
  await 20 "the window did not open" window_is shown
}
message_dialog_gone() { ! message_dialog_shown; }
fail_details() { echo "stored fourth-button record: $(stored_mouse)"; }

set_current_model 0x9080
start_simulator 2000
start_program
await 60 "the program did not give the driver its masks" masks_are 0x00000180 0x019C0000
sim post "$title" 0x111 2 || fail "could not post the exit command"
await_program_end 30 "the program did not end on the exit command"
store_behind $FN_COPY "$with_copy"
start_program
await 60 "the program did not take over the fourth button" masks_are 0x00000188 0x019C0000
open_window

echo "Apply stores the applied record and sends the masks"
store_behind $FN_PASTE "$with_paste"
sim log --clear >/dev/null
click_button apply
await 20 "Apply did not store the applied record" stored_is "$with_copy"
log_lines | grep -qx "0x22240C mouse mask 0x00000188 ok" || fail "Apply sent no masks: $(log_lines)"
window_is shown || fail "Apply hid the window"

echo "Apply refused by the driver warns and stores nothing"
warning_shown() { window_exists Warning; }
warning_gone() { ! warning_shown; }
store_behind $FN_PASTE "$with_paste"
sim fail 0x22240C 1 || fail "the simulator did not take the failure"
click_button apply
await 20 "a refused Apply showed no warning" warning_shown
shot apply-refused-warning
rect=$(probe rect Warning)
set -- $rect
move_pointer $((($1 + $3) / 2)) $((($2 + $4) / 2))
xdotool key Return
await 20 "the warning did not close" warning_gone
# Apply has ended once what was posted after it has been handled.
posted_handled
stored_is "$with_paste" || fail "a refused Apply stored the record: $(stored_mouse)"
window_is shown || fail "the window did not stay after the refused Apply"

echo "OK stores it and hides the window"
click_button ok
await 20 "OK did not hide the window" window_is hidden
await 20 "OK did not store the applied record" stored_is "$with_copy"

echo "Cancel hides the window and brings the stored record back"
open_window
store_behind $FN_SELECT_ALL "$with_select_all"
click_button cancel
await 20 "Cancel did not hide the window" window_is hidden
posted_handled
stored_is "$with_select_all" || fail "Cancel stored something: $(stored_mouse)"
# What the fourth button does now shows which record the program uses: the
# reloaded one selects all (Ctrl+A), the one before it copied (Ctrl+C).
keys="$home/keys.txt"
target="vn24g press target"
w "$probe_exe" target "$target" "$(windows_path "$keys")" "some text" >/dev/null 2>&1 &
await 30 "the target window did not start" grep -q ready "$keys"
target_in_front() { [ "$(probe focus)" = "$target" ]; }
await 10 "the target window is not in front" target_in_front
sim queue 0x08 0x00 >/dev/null || fail "the program did not take the simulated press"
await 20 "the press sent no keys to the target" grep -q "up 0x11" "$keys"
actual=$(grep -v ready "$keys" | tr -d '\r')
expected="down 0x11
down 0x41
up 0x41
up 0x11"
[ "$actual" = "$expected" ] || fail "after Cancel the fourth button sent:
$actual
(Ctrl+C would mean the stored record was not brought back)"
sim post "$target" 0x10 || fail "could not close the target window"

echo "Reset asks first"
open_window
sim log --clear >/dev/null
click_button reset
await 20 "Reset did not ask through the message dialog" message_dialog_shown
park_pointer
shot reset-question
click_message_dialog cancel
await 20 "the message dialog did not close on Cancel" message_dialog_gone
posted_handled
[ -z "$(log_lines)" ] || fail "Reset answered with Cancel reached the driver: $(log_lines)"
window_is shown || fail "the window did not stay after the Reset question"
click_button reset
await 20 "Reset did not ask through the message dialog" message_dialog_shown
click_message_dialog ok
await 20 "the message dialog did not close on OK" message_dialog_gone
await 20 "Reset did not give the fourth button back to the driver" masks_are 0x00000180 0x019C0000
stored_is "$with_select_all" || fail "Reset stored the defaults before Apply: $(stored_mouse)"
click_button apply
await 20 "Apply after Reset did not store the defaults" stored_is "$defaults"
park_pointer
shot window-after-reset-and-apply

sim post "$title" 0x111 2 || fail "could not post the exit command"
await_program_end 30 "the program did not end on the exit command"
echo "main window buttons: ok"
