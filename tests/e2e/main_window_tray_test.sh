#!/bin/sh
# The tray menu and model switching of the tray program on a Wine desktop,
# against the device simulator:
#   - the tray menu has the device sub-menu with the listed models;
#   - picking a model (from the sub-menu, by a posted model command, from
#     the window's device drop-down) stores the old model's applied record,
#     even when it was never applied in this run, and gives the driver the
#     new model's masks; the current model and unlisted models are ignored;
#     VNType.ini is only written at exit;
#   - the two scroll values that another program posts (0x606) go into the
#     applied record, which the next switch stores;
#   - Exit from the tray menu asks open editor dialogs to close, clears the
#     masks, unregisters and closes the driver in that order and writes the
#     current model back;
#   - with one model listed, the menu has no sub-menu and the device choice
#     button opens nothing.
#
#   main_window_tray_test.sh BUILD_DIR
set -e
build=$(cd "$1" && pwd)
repo="$(cd "$(dirname "$0")/../.." && pwd)"
name=tray
. "$repo/tools/windowprobe/session.sh"
session_check
session_start

duo="Varnok Duo S8"
glide="Varnok Glide M5"
tempo="Varnok Tempo K7"
FN_COPY=0x41
FN_PASTE=0x42
FN_SELECT_ALL=0x44

stored_mouse() { probe assignments "$1" | sed -n 's/^mouse //p'; }
stored_keys() { probe assignments "$1" | sed -n 's/^keys //p'; }
stored_mouse_is() { [ "$(stored_mouse "$1")" = "$2" ]; }
stored_scroll() { probe assignments "$1" | sed -n 's/^scroll //p'; }

echo "a first start stores every model's defaults"
set_current_model 0x9080
start_simulator 2000
start_program
await 60 "the program did not give the driver its masks" masks_are 0x00000180 0x019C0000
sim post "$title" 0x111 2 || fail "could not post the exit command"
await_program_end 30 "the program did not end on the exit command"
# Each model gets one button taken over, so each model's masks differ:
# the Duo's fourth button (mouse bit 0x8), the Glide's fifth (0x10), the
# Tempo's "My Computer" key (key bit 0x100).
probe assign "$duo" mouse 4 $FN_COPY || fail "could not store the Duo's assignment"
probe assign "$glide" mouse 3 $FN_SELECT_ALL || fail "could not store the Glide's assignment"
probe assign "$tempo" key 4 $FN_SELECT_ALL || fail "could not store the Tempo's assignment"

start_program
await 60 "the program did not give the driver the Duo's masks" masks_are 0x00000188 0x019C0000
dismiss_balloon

echo "the tray menu with its device sub-menu"
open_tray_menu
full_menu_height=$((menu_bottom - menu_top))
xdotool mousemove $menu_x "$(menu_entry_y $menu_bottom 4)"
await 10 "the device sub-menu did not open" menu_count_is 2
shot tray-menu-with-device-sub-menu
sub=$(popup_menus | awk -v top=$menu_top '$2 != top')
set -- $sub
sub_left=$1 sub_top=$2 sub_right=$3 sub_bottom=$4
[ $((sub_bottom - sub_top)) -eq $((6 + 3 * 22)) ] ||
  fail "the device sub-menu is $((sub_bottom - sub_top)) pixels high, not three entries"

echo "picking the Glide from the sub-menu stores the Duo's applied record"
# Behind the program's back the Duo's stored record changes; the switch
# must store the record the program has applied.
probe assign "$duo" mouse 4 $FN_PASTE || fail "could not change the Duo's stored record"
sim log --clear >/dev/null
sub_x=$(((sub_left + sub_right) / 2))
move_pointer $sub_x "$(menu_entry_y $menu_bottom 4)"
click_at $sub_x $((sub_top + 14))
await 20 "the tray menu did not close after the pick" menu_count_is 0
await 30 "the driver did not get the Glide's masks" masks_are 0x00000190 0x019C0000
stored_mouse_is "$duo" "01 02 03 04 41 09 0A" ||
  fail "the Duo's applied record was not stored at the switch: $(stored_mouse "$duo")"
stored_mouse_is "$glide" "01 02 03 44 05 09 0A 10 11 56 57" ||
  fail "the Glide's stored record changed: $(stored_mouse "$glide")"
log_lines | grep -qx "0x22240C mouse mask 0x00000190 ok" || fail "the switch sent no mouse mask: $(log_lines)"
[ "$(current_model)" = 0x9080 ] || fail "the switch wrote CurDevice $(current_model); only the exit writes it"

echo "scroll values from another program, then a posted model command switches to the Tempo"
[ "$(stored_scroll "$glide")" != "7 2" ] || fail "the Glide's stored record already holds the scroll values 7 2"
sim post "$title" 0x606 7 2 || fail "could not post the scroll values"
sim post "$title" 0x111 0xE0009070 || fail "could not post the model command"
await 30 "the driver did not get the Tempo's masks" masks_are 0x00000180 0x019C0100
[ "$(stored_scroll "$glide")" = "7 2" ] ||
  fail "the switch stored the Glide's scroll values as $(stored_scroll "$glide"), not the posted 7 2"

echo "the current model and an unlisted one are ignored"
sim log --clear >/dev/null
sim post "$title" 0x111 0xE0009070 || fail "could not post the model command"
sim post "$title" 0x111 0xE0001234 || fail "could not post the model command"
# A model command posts the pick on to the window, so twice: what the
# commands posted has been handled too.
posted_handled
posted_handled
[ -z "$(log_lines)" ] || fail "picking the current or an unlisted model reached the driver: $(log_lines)"
masks_are 0x00000180 0x019C0100 || fail "the masks changed: $(sim masks)"

echo "the window's device drop-down switches back to the Glide"
sim post "$title" 0x600 0 515 || fail "could not post to the window"
await 20 "the window did not open" window_is shown
drop_down() { probe list | awk '$1 == "#32770" && NF == 5 && $4 - $2 == 120 { print $2, $3, $4, $5; exit }' | grep .; }
click_in "$title" 545 43
await 10 "the device choice button opened no drop-down" drop_down
shot device-drop-down
set -- $(drop_down)
click_at $(($1 + 60)) $(($2 + 11))
await 30 "the driver did not get the Glide's masks after the drop-down pick" masks_are 0x00000190 0x019C0000
drop_down >/dev/null && fail "the drop-down stayed open after the pick"
park_pointer
shot window-after-drop-down-pick
click_in "$title" 636 43
await 20 "the close button did not hide the window" window_is hidden

echo "Exit from the tray menu"
# Stand-ins for the editor dialogs that may be open at exit: windows with
# their names, which the exit asks to close.
for editor in CDlgCombo CDlgMacro CDlgAutoStart; do
  w "$probe_exe" target "$editor" "$(windows_path "$home/$editor.txt")" >/dev/null 2>&1 &
done
editors_open() { for editor in CDlgCombo CDlgMacro CDlgAutoStart; do window_exists "$editor" || return 1; done; }
editors_closed() { for editor in CDlgCombo CDlgMacro CDlgAutoStart; do ! window_exists "$editor" || return 1; done; }
await 30 "the editor stand-ins did not open" editors_open
sim log --clear >/dev/null
open_tray_menu
click_at $menu_x "$(menu_entry_y $menu_bottom 0)"
await_program_end 30 "the program did not end on Exit from the tray menu"
await 10 "the exit did not ask the open editor dialogs to close" editors_closed
expected="0x22240C mouse mask 0x00000000 ok
0x222410 key mask 0x00000000 ok
0x222404 unregister ok
close"
actual=$(log_lines)
[ "$actual" = "$expected" ] || fail "the exit told the driver:
$actual"
[ "$(current_model)" = 0x9050 ] || fail "the exit wrote CurDevice $(current_model), not the Glide's 0x9050"

echo "one model listed: no device sub-menu, no drop-down"
sed -i 's/^DeviceNum=.*/DeviceNum=1/; s/^Name0=.*/Name0=Varnok Glide M5/' "$home/VNType.ini"
start_program
await 60 "the program did not give the driver the Glide's masks" masks_are 0x00000190 0x019C0000
dismiss_balloon
open_tray_menu
[ $((menu_bottom - menu_top)) -eq $((full_menu_height - 22)) ] ||
  fail "the one-model menu is $((menu_bottom - menu_top)) pixels high; with the sub-menu it was $full_menu_height"
# The menu opens an entry's sub-menu as it lights the entry under the
# pointer, so once the entry shows lit, a sub-menu would be open.
for entry in 0 1 2 3 4; do
  entry_top=$(($(menu_entry_y $menu_bottom $entry) - 11))
  entry_look=$(screen_look $((menu_left + 3)) $entry_top $((menu_right - menu_left - 6)) 22)
  move_pointer $menu_x "$(menu_entry_y $menu_bottom $entry)"
  await 20 "entry $entry of the one-model tray menu did not light under the pointer" \
    screen_differs $((menu_left + 3)) $entry_top $((menu_right - menu_left - 6)) 22 "$entry_look"
  menu_count_is 1 || fail "entry $entry of the one-model tray menu opened a sub-menu"
done
shot one-model-tray-menu
close_menus
sim post "$title" 0x600 0 515 || fail "could not post to the window"
await 20 "the window did not open" window_is shown
click_in "$title" 545 43
input_taken
drop_down >/dev/null && fail "the device choice button opened a drop-down with one model listed"
park_pointer
shot one-model-window
sim post "$title" 0x111 2 || fail "could not post the exit command"
await_program_end 30 "the program did not end on the exit command"
echo "main window tray: ok"
