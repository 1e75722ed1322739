#!/bin/sh
# What the tray program decides at start-up before its window exists, seen
# on a Wine desktop with the device simulator:
#   - no receiver plugged in: the "Tips" message, nothing stored, the driver
#     never opened, and the program ends once the message is closed; the
#     message comes even while another instance runs;
#   - no model in the device list (DeviceNum 0): the program ends silently;
#   - no current model (CurDevice 0): the device selection dialog; OK with
#     nothing chosen ends the program and leaves the file alone; a chosen
#     model is written back as "0x%x", lower-case, and is the model the
#     program then runs with, and again at exit.
# A fourth model with a value that has letters in it (0x90AE) is added to
# the program folder so the case of the written value shows.
#
#   main_window_startup_choices_test.sh BUILD_DIR
set -e
build=$(cd "$1" && pwd)
repo="$(cd "$(dirname "$0")/../.." && pwd)"
name=startup-choices
. "$repo/tools/windowprobe/session.sh"
session_check
session_start

selection_title="Choose Your Device"
# The dialog's OK button.
selection_ok=1003
selection_shown() { window_is_named_shown "$selection_title"; }
window_is_named_shown() { [ "$(probe state "$1" 2>/dev/null)" = shown ]; }
nothing_stored() { ! probe assignments "Varnok Duo S8" >/dev/null 2>&1; }
driver_untouched() { ! log_has "open\|register\|enable"; }

echo "no receiver: the Tips message, then the program ends"
set_current_model 0x9080
start_simulator none
start_program
await 60 "the no-receiver message did not appear" message_dialog_shown
shot no-receiver-tips
window_exists && fail "the main window was created without a receiver"
nothing_stored || fail "settings were stored although there is no receiver"
click_message_dialog ok
await_program_end 30 "the program did not end after the no-receiver message was closed"
driver_untouched || fail "the program talked to the driver without a receiver: $(log_lines)"
nothing_stored || fail "settings were stored although there is no receiver"

echo "no receiver while another instance runs: the message all the same"
sim plug 2000 || fail "the simulator did not plug the receiver"
start_program
first_pid=$program_pid
await 60 "the program did not start with the receiver plugged in" masks_are 0x00000180 0x019C0000
sim unplug 2000 || fail "the simulator did not unplug the receiver"
sim log --clear >/dev/null
start_program
await 60 "the no-receiver message did not appear for the second start" message_dialog_shown
window_is hidden || fail "the running program's window came forward although the second start had no receiver"
click_message_dialog ok
await_program_end 30 "the second start did not end after the no-receiver message was closed"
program_pid=$first_pid
program_running || fail "the running program ended"
driver_untouched || fail "the second start talked to the driver: $(log_lines)"
sim post "$title" 0x111 2 || fail "could not post the exit command"
await_program_end 30 "the program did not end on the exit command"
sim plug 2000 || fail "the simulator did not plug the receiver"

echo "no model listed: the program ends silently"
sed -i 's/^DeviceNum=.*/DeviceNum=0/' "$home/VNType.ini"
sim log --clear >/dev/null
start_program
await_program_end 60 "the program did not end with DeviceNum 0"
driver_untouched || fail "the program talked to the driver with DeviceNum 0: $(log_lines)"
[ "$(current_model)" = 0x9080 ] || fail "CurDevice changed to $(current_model) with DeviceNum 0"

echo "no current model: the device selection dialog"
cp -r "$home/skins/Varnok Glide M5" "$home/skins/Varnok Glide MX"
sed -i 's/name="Varnok Glide M5" value="0x9050"/name="Varnok Glide MX" value="0x90AE"/' \
  "$home/skins/Varnok Glide MX/DeviceSkn.xml"
grep -q 'value="0x90AE"' "$home/skins/Varnok Glide MX/DeviceSkn.xml" || fail "could not add the fourth model"
sed -i 's/^DeviceNum=.*/DeviceNum=4/; s/^Name2=\(.*\)$/Name2=\1\nName3=Varnok Glide MX/' "$home/VNType.ini"
set_current_model 0
start_program
await 60 "the device selection dialog did not appear" selection_shown
window_exists && fail "the main window was created before a model was chosen"
# OK with nothing chosen.
click_control "$selection_title" $selection_ok
await_program_end 30 "the program did not end when OK was pressed with no model chosen"
[ "$(current_model)" = 0 ] || fail "CurDevice became $(current_model) although nothing was chosen"

start_program
await 60 "the device selection dialog did not appear" selection_shown
# The model list has the keyboard focus: the fourth model.
xdotool key Down Down Down Down
keys_through
shot device-selection-fourth-model
click_control "$selection_title" $selection_ok
await 60 "the program did not go on after a model was chosen" window_exists
[ "$(current_model)" = 0x90ae ] ||
  fail "the chosen model was written as \"$(current_model)\", not as 0x90ae"
await 30 "the program did not give the driver the chosen model's masks" masks_are 0x00000180 0x019C0000
probe assignments "Varnok Glide MX" | grep -qx "model 0x90ae type 1" ||
  fail "the chosen model's settings were not stored: $(probe assignments "Varnok Glide MX" 2>&1)"
sim post "$title" 0x600 0 515 || fail "could not post to the window"
await 20 "the window did not open" window_is shown
park_pointer
shot window-of-chosen-model
sim post "$title" 0x111 2 || fail "could not post the exit command"
await_program_end 30 "the program did not end on the exit command"
[ "$(current_model)" = 0x90ae ] || fail "the exit wrote CurDevice as \"$(current_model)\""
echo "main window start-up choices: ok"
