#!/bin/sh
# The assignment pages of the tray program's window, used with the pointer
# only, on a Wine desktop with the device simulator:
#   - opened from the tray, the Glide's mouse page shows each button's
#     function on its label (read from the label's tip);
#   - a click on the fourth button's label opens the function menu; resting
#     on the editing category and clicking "Copy" changes the label at once;
#   - Apply stores the record and gives the driver the new mouse mask; a
#     simulated press of the button then copies Notepad's selected text;
#   - taking the left click from the only button that has it shows
#     "Warning" and changes nothing;
#   - Cancel brings the applied labels back; Reset asks, then shows the
#     model's own functions, and Apply stores them with the default scroll
#     values the reset restored, as the first start stored them;
#   - picking the Duo from the device drop-down lays the page out for its
#     seven buttons, and the Tempo shows the keyboard page, where a key
#     given another function and applied shows as changed once the window
#     is opened again.
#
#   main_window_pages_test.sh BUILD_DIR
set -e
build=$(cd "$1" && pwd)
repo="$(cd "$(dirname "$0")/../.." && pwd)"
name=pages
. "$repo/tools/windowprobe/session.sh"
. "$repo/tests/e2e/lib/assignment_pages.sh"
session_check
session_start

glide="Varnok Glide M5"
text="Copied by the fourth mouse button"
editor="pages.txt - Notepad"

stored_mouse() { probe assignments "$glide" | sed -n 's/^mouse //p'; }

# The visible buttons inside the page area: labels and marks.
visible_labels() {
  rect=$(probe rect "$title") || fail "no window"
  set -- $rect
  probe children "$title" | awk -v l=$(($1 + 48)) -v t=$(($2 + 118)) -v r=$(($1 + 669)) -v b=$(($2 + 338)) \
    '$1 == "Button" && $2 >= l && $3 >= t && $4 <= r && $5 <= b' | wc -l
}
warning_shown() { window_exists Warning && window_is shown Warning; }
warning_gone() { ! window_exists Warning; }

# The Glide's labels: name and middle point of each, in the page.
glide_labels="Left click:104:58
Right click:516:58
Middle click:516:92
Forward:104:126
Back:104:160
Scroll up:104:24
Scroll down:516:126
Scroll left:104:92
Scroll right:516:24
Zoom in:516:160
Zoom out:516:194"

echo "the Glide's page, opened from the tray"
set_current_model 0x9050
start_simulator 2000
start_program
dismiss_balloon
# The first start stored the defaults, scroll values included.
default_scroll=$(probe assignments "$glide" | sed -n 's/^scroll //p')
case $default_scroll in *" 3") ;; *) fail "the first start stored the scroll values '$default_scroll'" ;; esac
double_click_tray
await 20 "the window did not open from the tray" window_is shown
park_pointer
shot glide-page
printf '%s\n' "$glide_labels" | while IFS=: read -r label x y; do label_says "$x" "$y" "$label"; done
[ "$(visible_labels)" -eq 22 ] || fail "the page shows $(visible_labels) buttons, not the Glide's 11 labels and 11 marks"

echo "the fourth button's label: Editing, Copy"
# Pressed, then released: the release opens the menu.
set -- $(page_point 104 160)
move_pointer "$1" "$2"
xdotool mousedown 1
shot label-pressed
xdotool mouseup 1
pick_from_menu 5 1
menu_gone() { ! function_menu; }
await 10 "the function menu stayed open after the pick" menu_gone
label_says 104 160 Copy
shot label-under-pointer
park_pointer
shot label-reads-copy

echo "Apply stores the pick and sends the masks"
sim log --clear >/dev/null
click_in "$title" 610 357
stored_is() { [ "$(stored_mouse)" = "$1" ]; }
await 20 "Apply stored no Copy for the fourth button: $(stored_mouse)" stored_is "01 02 03 04 41 09 0A 10 11 56 57"
log_has "mouse mask 0x" || fail "Apply sent no mouse mask: $(log_lines)"
mask=$(sim masks | sed -n 's/^mouse mask //p')
[ $((mask & 0x08)) -ne 0 ] || fail "the mouse mask $mask does not withhold the fourth button"

echo "a press copies Notepad's selected text"
printf '%s' "$text" >"$home/pages.txt"
w notepad "$(windows_path "$home/pages.txt")" >/dev/null 2>&1 &
await 30 "Notepad did not open" window_exists "$editor"
editor_in_front() { [ "$(probe focus)" = "$editor" ]; }
probe front "$editor" || true
await 20 "Notepad is not in front" editor_in_front
xdotool key ctrl+a
probe setclipboard "nothing copied yet" || fail "could not set the clipboard"
sim queue 0x08 0x00 >/dev/null || fail "the program did not take the simulated press"
clipboard_is() { [ "$(probe clipboard)" = "$1" ]; }
await 20 "the press did not copy Notepad's text (clipboard: $(probe clipboard))" clipboard_is "$text"
shot notepad-copied

echo "the only left click stays"
double_click_tray
await 20 "the window did not come back from the tray" window_is shown
click_label 104 58
pick_from_menu 4
await 10 "taking the last left click showed no warning" window_exists Warning
shot warning
# The message box's only button answers as OK or, on some systems, Cancel.
ok_id=1
probe control Warning 1 >/dev/null 2>&1 || ok_id=2
click_control Warning $ok_id
await 10 "the warning did not go" warning_gone
label_says 104 58 "Left click"

echo "Cancel brings the applied labels back"
click_label 516 58
pick_from_menu 5 1
label_says 516 58 Copy
click_in "$title" 524 357
await 20 "Cancel did not hide the window" window_is hidden
double_click_tray
await 20 "the window did not come back from the tray" window_is shown
label_says 516 58 "Right click"
label_says 104 160 Copy
[ "$(stored_mouse)" = "01 02 03 04 41 09 0A 10 11 56 57" ] || fail "Cancel changed the stored record: $(stored_mouse)"

echo "Reset asks, then shows the model's own functions"
click_in "$title" 133 358
await 10 "Reset asked nothing" message_dialog_shown
shot reset-asks
click_message_dialog ok
message_dialog_gone() { ! message_dialog_shown; }
await 10 "the reset dialog did not go" message_dialog_gone
label_says 104 160 Back
park_pointer
shot after-reset
[ "$(stored_mouse)" = "01 02 03 04 41 09 0A 10 11 56 57" ] || fail "Reset stored something: $(stored_mouse)"
# Applied, the reset's record keeps the scroll values it restored.
click_in "$title" 610 357
await 20 "Apply after Reset stored no defaults: $(stored_mouse)" stored_is "01 02 03 04 05 09 0A 10 11 56 57"
stored_scroll=$(probe assignments "$glide" | sed -n 's/^scroll //p')
[ "$stored_scroll" = "$default_scroll" ] ||
  fail "Apply after Reset stored the scroll values '$stored_scroll', not the defaults '$default_scroll'"

echo "the Duo from the drop-down: seven buttons"
drop_down() { probe list | awk '$1 == "#32770" && NF == 5 && $4 - $2 == 120 { print $2, $3, $4, $5; exit }' | grep .; }
click_in "$title" 545 43
await 10 "the device choice button opened no drop-down" drop_down
set -- $(drop_down)
click_at $(($1 + 60)) $(($2 + 11 + 44))
duo_shown() { [ "$(visible_labels)" -eq 14 ]; }
fail_details() { echo "visible buttons:"; probe children "$title"; }
await 20 "the Duo's page does not show exactly its 7 labels and 7 marks" duo_shown
park_pointer
shot duo-page

echo "the Tempo from the drop-down: the keyboard page"
click_in "$title" 545 43
await 10 "the device choice button opened no drop-down" drop_down
set -- $(drop_down)
click_at $(($1 + 60)) $(($2 + 11 + 22))
tempo_shown() { [ "$(visible_labels)" -eq 40 ]; }
await 30 "the keyboard page does not show exactly the Tempo's 20 labels and 20 marks" tempo_shown
park_pointer
shot tempo-page
label_says 79 111 Search
shot keyboard-label-under-pointer

echo "a changed key shows as changed once applied and the window opened again"
tempo_stored_keys() { probe assignments "Varnok Tempo K7" | sed -n 's/^keys //p'; }
click_label 233 111
pick_from_menu 5 1
label_says 233 111 Copy
click_in "$title" 610 357
tempo_key_stored() { tempo_stored_keys | grep -q '^65 41 '; }
await 20 "Apply stored no Copy for the Tempo's second key: $(tempo_stored_keys)" tempo_key_stored
click_in "$title" 636 43
await 20 "the close button did not hide the window" window_is hidden
double_click_tray
await 20 "the window did not come back from the tray" window_is shown
park_pointer
shot keyboard-changed-key
# The changed key's label rests on the pressed picture; its neighbour on the
# normal one. Compared at the same spot of each label, clear of the text.
pixel_at() {
  set -- $(page_point "$1" "$2")
  convert "$file" -crop "1x1+$1+$2" -depth 8 txt:- | sed -n '2s/.*\(#[0-9A-Fa-f]\{6\}\).*/\1/p'
}
changed=$(pixel_at 294 104)
unchanged=$(pixel_at 140 104)
[ -n "$changed" ] && [ "$changed" != "$unchanged" ] ||
  fail "the changed key's label looks like the others ($changed, $unchanged)"

sim post "$title" 0x111 2 || fail "could not post the exit command"
await_program_end 30 "the program did not end on the exit command"
echo "main window pages: ok"
