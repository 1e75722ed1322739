#!/bin/sh
# How the tray program's window shows what is chosen, with the
# mouse-and-keyboard model on a Wine desktop with the device simulator:
#   - the tab of the page on view shows checked (the tab's pressed picture,
#     orange name), the other one at rest (the tab's normal picture, slate
#     name), and the check follows the user's clicks from tab to tab;
#   - the device drop-down shows the current model checked (menu1_d, orange),
#     the one under the pointer lit (menu1_o, white), the others at rest
#     (menu1_n, slate).
# Each of them is measured on the screenshot: it shows the picture of its
# state wherever its name is not, and its name stands out from that picture
# by at least 4.5:1.
# Screenshots go to BUILD_DIR/e2e-main-window/screenshots.
#
#   main_window_look_test.sh BUILD_DIR
set -e
build=$(cd "$1" && pwd)
repo="$(cd "$(dirname "$0")/../.." && pwd)"
name=look
. "$repo/tools/windowprobe/session.sh"
session_check
command -v python3 >/dev/null 2>&1 || { echo "skipped: python3 is missing"; exit 0; }
session_start

measure="$repo/tests/e2e/lib/entry_text_contrast.py"
for picture in device_button_normal device_button_down menu1_n menu1_o menu1_d; do
  convert "$home/skins/$picture.png" -depth 8 "$home/$picture.ppm"
done
slate=83,97,103
white=255,255,255
orange=235,141,36

# The screen as it is now, in $home/screen.ppm.
screen_now() { import -window root -crop "${desktop_width}x${desktop_height}+0+0" -depth 8 "$home/screen.ppm"; }
fail_details() { echo "last measure:"; sed 's/^/  /' "$home/measure.out" 2>/dev/null; }
# tabs_look: the screen shows the tab $open (mouse or keyboard) checked and
# the other one at rest; what was measured goes to $home/tabs.out.
tabs_look() {
  rect=$(probe rect "$title") || return 1
  set -- $rect
  screen_now || return 1
  : >"$home/tabs.out"
  for tab in mouse keyboard; do
    case $tab in
      mouse) x=$(($1 + 64)) ;;
      keyboard) x=$(($1 + 177)) ;;
    esac
    if [ "$tab" = "$open" ]; then
      look="$home/device_button_down.ppm:$orange"
    else
      look="$home/device_button_normal.ppm:$slate"
    fi
    python3 "$measure" "$home/screen.ppm" "$x" $(($2 + 90)) 111 28 "$look" >"$home/measure.out" || return 1
    echo "  $tab tab: $(sed -n 's/^entry 0 on //p' "$home/measure.out")" >>"$home/tabs.out"
  done
}
# tabs_show: waits for the tabs to take their look after a click.
tabs_show() {
  await 20 "the tabs do not show as they should with the $open page open" tabs_look
  cat "$home/tabs.out"
}

set_current_model 0x9080
start_simulator 2000
start_program
await 60 "the program did not give the driver its masks" masks_are 0x00000180 0x019C0000
sim post "$title" 0x600 0 515 || fail "could not post to the window"
await 20 "the window did not open" window_is shown
park_pointer

echo "the mouse page opens first: its tab is checked"
open=mouse
tabs_show
shot mouse-tab-checked

echo "a click on the keyboard tab checks it and releases the mouse tab"
click_in "$title" 232 104
park_pointer
open=keyboard
tabs_show
shot keyboard-tab-checked

echo "and back to the mouse tab"
click_in "$title" 119 104
park_pointer
open=mouse
tabs_show
shot mouse-tab-checked-again

echo "the device drop-down: the Duo checked, the Tempo under the pointer"
# The drop-down: an untitled dialog, 120 wide and one 22-pixel entry high
# per model. Prints its left and top edges.
drop_down_origin() {
  probe list | awk '$1 == "#32770" && NF == 5 && $4 - $2 == 120 && $5 - $3 == 66 { print $2, $3; exit }' | grep .
}
click_in "$title" 545 43
await 20 "the device drop-down did not open" drop_down_origin
set -- $(drop_down_origin)
menu_x=$1 menu_y=$2
move_pointer $((menu_x + 60)) $((menu_y + 10))
move_pointer $((menu_x + 60)) $((menu_y + 33))
# The entry under the pointer lights once the drop-down has handled the move.
drop_down_look() {
  screen_now && python3 "$measure" "$home/screen.ppm" "$menu_x" "$menu_y" 120 22 \
    "$home/menu1_n.ppm:$slate" "$home/menu1_o.ppm:$white" "$home/menu1_d.ppm:$orange" >"$home/measure.out"
}
await 20 "the drop-down does not show its entries as it should" drop_down_look
shot device-drop-down
sed 's/^/  /' "$home/measure.out"

echo "passed"
