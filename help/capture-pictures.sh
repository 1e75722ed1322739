#!/bin/sh
# Takes the pictures of the help pages from the real program: runs the
# simulated-hardware build on a Wine desktop against the device simulator,
# goes through what the pages show, and writes each window, cut out of the
# screen, into help/images/. Run it again after the windows changed, look
# at the pictures, and commit them.
#
#   help/capture-pictures.sh BUILD_DIR      (a windows-sim build)
#
# The function menu is not taken yet.
set -e
build=$(cd "$1" && pwd)
repo="$(cd "$(dirname "$0")/.." && pwd)"
name=help-pictures
pictures="$repo/help/images"
. "$repo/tools/windowprobe/session.sh"
session_check
session_start
mkdir -p "$pictures"

# grab NAME LEFT TOP RIGHT BOTTOM: that part of the screen as NAME.png.
grab() {
  import -window root -crop "$(($4 - $2))x$(($5 - $3))+$2+$3" +repage -strip \
    -define png:compression-level=9 "$pictures/$1.png"
  echo "  $pictures/$1.png"
}
# grab_window NAME TITLE: a whole window.
grab_window() {
  rect=$(probe rect "$2") || fail "no window \"$2\" to take"
  grab "$1" $rect
}
grab_message_dialog() {
  origin=$(message_dialog_origin) || fail "no message dialog to take"
  set -- "$1" $origin
  grab "$1" "$2" "$3" $(($2 + 351)) $(($3 + 141))
}
drop_down() { probe list | awk '$1 == "#32770" && NF == 5 && $4 - $2 == 120 { print $2, $3, $4, $5; exit }' | grep .; }
show_window() {
  sim post "$title" 0x600 0 515 || fail "could not post to the window"
  await 20 "the window did not open" window_is shown
  park_pointer
}
message_dialog_gone() { ! message_dialog_shown; }
warning_gone() { ! window_exists Warning; }

echo "no receiver"
start_simulator none
# The Glide M5, a mouse.
set_current_model 0x9050
start_program
await 60 "the no-receiver message did not appear" message_dialog_shown
grab_message_dialog no-receiver
click_message_dialog ok
await_program_end 30 "the program did not end after the no-receiver message"

echo "choosing the device"
sim plug 2000 || fail "the simulator did not plug the receiver"
set_current_model 0
start_program
await 60 "the device selection did not appear" window_exists "Choose Your Device"
xdotool key Down
sleep 0.5
grab_window select-device "Choose Your Device"
click_control "Choose Your Device" 1003
await 60 "the program did not go on after the device was chosen" window_exists

echo "the tray icon and its menu"
await 30 "the tray icon's balloon did not appear" balloon_shown
set -- $(balloon_rect)
grab tray-balloon $(($1 - 8)) $(($2 - 8)) $desktop_width $desktop_height
dismiss_balloon
open_tray_menu
xdotool mousemove $menu_x "$(menu_entry_y $menu_bottom 4)"
await 10 "the device sub-menu did not open" menu_count_is 2
sleep 0.5
set -- $(popup_menus | awk 'NR == 1 { l = $1; t = $2; r = $3; b = $4 }
  { if ($1 < l) l = $1; if ($2 < t) t = $2; if ($3 > r) r = $3; if ($4 > b) b = $4 }
  END { print l, t, r, b }')
grab tray-menu "$1" "$2" "$3" "$4"
click_at 300 300
await 10 "the tray menu did not close" menu_count_is 0
open_tray_menu
click_at $menu_x "$(menu_entry_y $menu_bottom 1)"
await 20 "About opened no message" message_dialog_shown
park_pointer
grab_message_dialog about
click_message_dialog ok
await 20 "the About message did not close" message_dialog_gone

echo "the window of a mouse, the device drop-down, a set"
show_window
grab_window window-mouse "$title"
click_in "$title" 545 43
await 10 "the device choice button opened no drop-down" drop_down
set -- $(drop_down)
window=$(probe rect "$title")
set -- $window "$@"
grab device-drop-down $(($5 - 200)) $(($2 + 20)) $(($3 - 40)) $(($8 + 12))
# The third entry, the Duo S8.
set -- $(drop_down)
sim log --clear >/dev/null
click_at $(($1 + 60)) $(($2 + 2 * 22 + 11))
await 30 "the drop-down did not switch to the set" log_has "mouse mask"
park_pointer
sleep 1
grab_window window-set "$title"

echo "Reset and a refused Apply"
click_in "$title" 133 358
await 20 "Reset asked nothing" message_dialog_shown
park_pointer
grab_message_dialog reset-question
click_message_dialog cancel
await 20 "the Reset question did not close" message_dialog_gone
sim fail 0x22240C 1 || fail "the simulator did not take the failure"
click_in "$title" 610 357
await 20 "a refused Apply showed no warning" window_exists Warning
sleep 0.5
grab_window apply-refused Warning
rect=$(probe rect Warning)
set -- $rect
xdotool mousemove $((($1 + $3) / 2)) $((($2 + $4) / 2)) key Return
await 20 "the warning did not close" warning_gone

echo "the window of a keyboard"
# The model command of the Tempo K7 (0x9070), a keyboard.
sim post "$title" 0x111 0xE0009070 || fail "could not switch to the keyboard"
sleep 2
park_pointer
grab_window window-keyboard "$title"

sim post "$title" 0x111 2 || fail "could not post the exit command"
await_program_end 30 "the program did not end"

echo "the macro editor"
# The window demo opens the editor as an assignment page would, on the
# session's stored macros. A new macro gets two keys with their pauses, and
# the pause between them is selected.
editor=CDlgMacro
demo_start "$editor" "$home/demo.out" macro "$home"
click_in "$editor" 44 242
click_in "$editor" 361 233
sleep 0.7
click_in "$editor" 298 75
xdotool type --delay 400 "hi"
sleep 0.5
click_in "$editor" 361 233
click_in "$editor" 200 $((62 + 18 * 3 + 9))
park_pointer
sleep 0.5
grab_window macro-editor "$editor"
demo_close "$editor" 392 283 Cancel

echo "the key combination and program launch windows"
# Ctrl+S typed into the combination window; the launch window for a
# program with a long path, of which it shows the file name.
demo_start CDlgCombo "$home/demo.out" combo "$home"
xdotool key ctrl+s
sleep 0.5
grab_window key-combination CDlgCombo
demo_close CDlgCombo 226 116 Cancel
demo_start CDlgAutoStart "$home/demo.out" launch "$home" 'C:\Program Files\Mail Reader\mailreader.exe'
sleep 0.5
grab_window program-launch CDlgAutoStart
demo_close CDlgAutoStart 294 115 Cancel
echo "help pictures: ok"
