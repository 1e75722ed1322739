#!/bin/sh
# The tray program's first start and its window, as a person meets them on
# a Wine desktop with a task bar, the device simulator playing the receiver:
#   - the first start shows only the tray icon and its balloon; a ShowWindow
#     from another program does not show the window, nor does a tray
#     notice other than the double click;
#   - a double click on the tray icon shows the window, the close button
#     hides it, and the double-click notice posted by another program shows
#     it again;
#   - Enter, Esc and Space in the window leave it shown and the program
#     running;
#   - a second start brings the running program's window forward and ends
#     without touching the driver.
# Screenshots go to BUILD_DIR/e2e-main-window/screenshots.
#
#   main_window_start_test.sh BUILD_DIR
set -e
build=$(cd "$1" && pwd)
repo="$(cd "$(dirname "$0")/../.." && pwd)"
name=start
. "$repo/tools/windowprobe/session.sh"
session_check
session_start

x_window_mapped() { xdotool search --onlyvisible --name "^$title\$" >/dev/null 2>&1; }
focus_in_window() { [ "$(probe focus)" = "$title" ]; }

set_current_model 0x9080
start_simulator 2000
start_program
echo "first start"
await 60 "the program's window was never created" window_exists
await 30 "the tray icon's balloon did not appear" balloon_shown
await 30 "the program did not give the driver its masks" masks_are 0x00000180 0x019C0000
shot first-start-tray-and-balloon
window_is hidden || fail "the window is $(window_state) after the first start; only the tray icon should show"
x_window_mapped && fail "the window is on the screen after the first start"

echo "the window stays hidden until the user opens it"
probe show "$title" || fail "the probe could not reach the window"
posted_handled
window_is hidden || fail "a ShowWindow from another program showed the window before the user opened it"
x_window_mapped && fail "a ShowWindow from another program put the window on the screen"
# A tray notice that is not the double click (here a plain mouse move)
# leaves it hidden too.
sim post "$title" 0x600 0 512 || fail "could not post to the window"
posted_handled
window_is hidden || fail "a mouse move over the tray icon showed the window"

echo "a double click on the tray icon shows the window"
double_click_tray
await 20 "a double click on the tray icon did not show the window" window_is shown
await 10 "the window is shown but not on the screen" x_window_mapped
park_pointer
shot window-opened-from-tray

echo "the close button hides it, the double-click notice shows it again"
click_in "$title" 636 43
await 20 "the close button did not hide the window" window_is hidden
program_running || fail "the close button ended the program"
sim post "$title" 0x600 0 515 || fail "could not post to the window"
await 20 "the double-click notice from another program did not show the window" window_is shown
# Once the user has opened it, the window is an ordinary one: hidden again,
# another program's ShowWindow does show it. (This also shows that the
# probe's ShowWindow above reached the window.)
click_in "$title" 636 43
await 20 "the close button did not hide the window" window_is hidden
probe show "$title" || fail "the probe could not reach the window"
await 20 "ShowWindow had no effect on a window the user had opened before" window_is shown

echo "Enter, Esc and Space do nothing in the window"
# First make sure typed keys do arrive in the window in front.
keys="$home/keys.txt"
probe_target="vn24g key check"
w "$probe_exe" target "$probe_target" "$(windows_path "$keys")" >/dev/null 2>&1 &
await 30 "the key check window did not start" grep -q ready "$keys"
target_in_front() { [ "$(probe focus)" = "$probe_target" ]; }
await 10 "the key check window is not in front" target_in_front
xdotool mousemove 200 150 key x
await 10 "a key typed on the desktop did not reach the window in front" grep -q "down 0x58" "$keys"
sim post "$probe_target" 0x10 || fail "could not close the key check window"
target_gone() { ! window_exists "$probe_target"; }
await 10 "the key check window did not close" target_gone
sim post "$title" 0x600 0 515 || fail "could not post to the window"
await 20 "the window did not come back" window_is shown
await 20 "the window did not get the keyboard focus" focus_in_window
rect=$(probe rect "$title")
set -- $rect
# The pointer rests on the window's background, away from every button.
move_pointer $(($1 + 300)) $(($2 + 80))
xdotool key Return Escape space
input_taken
program_running || fail "Enter, Esc or Space ended the program"
window_is shown || fail "Enter, Esc or Space hid the window (it is $(window_state))"
shot window-after-enter-esc-space

echo "a second start brings the first forward and ends"
click_in "$title" 636 43
await 20 "the close button did not hide the window" window_is hidden
sim log --clear >/dev/null
w "$home/vn24g.exe" >>"$home/second.out" 2>&1 </dev/null &
second_pid=$!
second_ended() { ! kill -0 "$second_pid" 2>/dev/null; }
await 60 "the second start did not end" second_ended
await 20 "the second start did not bring the first one's window forward" window_is shown
program_running || fail "the first program ended when the second started"
[ "$(xdotool search --name "^$title\$" | wc -l)" -eq 1 ] || fail "there is more than one program window"
log_has "register\|enable\|open" && fail "the second start talked to the driver: $(log_lines)"
park_pointer
shot second-start-brought-window-forward

sim post "$title" 0x111 2 || fail "could not post the exit command"
await_program_end 30 "the program did not end on the exit command"
echo "main window start: ok"
