#!/bin/sh
# The dialogs the main window opens over itself, on a Wine desktop with the
# device simulator, used with the pointer only: the combination dialog, the
# launch dialog and the macro editor (picked for the Glide's fourth button),
# the Reset question and About.
#   - With each one open, opening the tray menu and dismissing it, a double
#     click on the tray icon, a click on the main window and a model picked
#     from the tray menu leave that dialog in front: it is the foreground
#     window, nothing of the main window covers its middle, and its Cancel
#     still closes it. Each step starts with another program in front; the
#     pick does not switch the model.
#   - With each one open (the macro editor also while it records), the
#     exit command ends the program within the time the installer waits
#     for it, and nothing of the dialog is stored.
# Screenshots stay in BUILD_DIR/e2e-main-window/screenshots/open-dialogs-*.png.
#
#   main_window_open_dialogs_test.sh BUILD_DIR
set -e
build=$(cd "$1" && pwd)
repo="$(cd "$(dirname "$0")/../.." && pwd)"
name=open-dialogs
. "$repo/tools/windowprobe/session.sh"
. "$repo/tests/e2e/lib/assignment_pages.sh"
. "$repo/tests/e2e/lib/macro_editor.sh"
session_check
session_start

glide="Varnok Glide M5"
# The installer waits this long for the program to end.
exit_time=15
stored_mouse() { probe assignments "$glide" | sed -n 's/^mouse //p'; }
stored_macros() { probe macros; }

# The fourth button's label, in the page, and the menu entries that open
# each dialog (0 is the first entry).
fourth_x=104 fourth_y=160
combination_entry=0 macro_entry=2 program_entry=3

# open_dialog NAME: opens the dialog NAME with the pointer.
open_dialog() {
  case $1 in
    combination | launch | editor | recording)
      click_label $fourth_x $fourth_y
      case $1 in
        combination) pick_from_menu $combination_entry ;;
        launch) pick_from_menu $program_entry ;;
        *) pick_from_menu $macro_entry ;;
      esac
      await 20 "no $1 dialog opened" dialog_shown "$1"
      if [ "$1" = recording ]; then
        park_pointer
        click_new
        click_record
        type_keys ab
      fi
      ;;
    reset)
      click_in "$title" 133 358
      await 20 "Reset asked nothing" dialog_shown reset
      ;;
    about)
      open_tray_menu
      click_at $menu_x "$(menu_entry_y $menu_bottom 1)"
      await 20 "About showed nothing" dialog_shown about
      ;;
  esac
  park_pointer
}

# dialog_rect NAME: LEFT TOP RIGHT BOTTOM of the open dialog NAME.
dialog_rect() {
  case $1 in
    combination) probe rect CDlgCombo ;;
    launch) probe rect CDlgAutoStart ;;
    editor | recording) probe rect "$editor" ;;
    reset | about)
      origin=$(message_dialog_origin) || return 1
      set -- $origin
      echo $1 $2 $(($1 + 351)) $(($2 + 141))
      ;;
  esac
}
dialog_shown() { dialog_rect "$1" >/dev/null 2>&1; }
dialog_gone() { ! dialog_shown "$1"; }
rect_of_line() { awk '{ print $2, $3, $4, $5; exit }'; }
# The dialog is the foreground window and the top-level window at its
# middle is the dialog itself.
in_front() {
  rect=$(dialog_rect "$1") || return 1
  [ "$(probe foreground | rect_of_line)" = "$rect" ] || return 1
  set -- $rect
  [ "$(probe at $((($1 + $3) / 2)) $((($2 + $4) / 2)) | rect_of_line)" = "$rect" ]
}
fail_details() {
  echo "foreground: $(probe foreground)"
  echo "main window: $(probe rect "$title")"
}
# expect_in_front NAME AFTER
expect_in_front() { await 10 "after $2 the $1 dialog is not in front" in_front "$1"; }

# click_cancel NAME: the dialog's Cancel, which must close it.
click_cancel() {
  case $1 in
    combination) click_in CDlgCombo 220 115 ;;
    launch) click_in CDlgAutoStart 294 115 ;;
    editor | recording) click_in "$editor" $(editor_button cancel) ;;
    reset | about) click_message_dialog cancel ;;
  esac
  await 20 "Cancel did not close the $1 dialog" dialog_gone "$1"
}

open_window() {
  double_click_tray
  await 20 "the window did not open from the tray" window_is shown
}
start_and_open() {
  start_program
  dismiss_balloon
  open_window
}

set_current_model 0x9050
start_simulator 2000
# A window of another program, away from where the program's windows open.
other="Another program"
w "$probe_exe" target "$other" "$(windows_path "$home/other.log")" >/dev/null 2>&1 &
await 30 "the other program's window did not open" window_exists "$other"
other_in_front() { [ "$(probe foreground | awk '{ sub(/^[^ ]+ [-0-9]+ [-0-9]+ [-0-9]+ [-0-9]+ /, ""); print }')" = "$other" ]; }
other_to_front() {
  probe front "$other" >/dev/null || true
  await 10 "the other program's window did not come to the front" other_in_front
}
start_and_open
await 30 "the driver did not get the Glide's masks" masks_are 0x00000180 0x019C0000
label_says $fourth_x $fourth_y Back
stored_before=$(stored_mouse)
macros_before=$(stored_macros)

for dialog in combination launch editor reset about; do
  echo "the $dialog dialog stays in front of the tray and the window"
  open_dialog $dialog
  expect_in_front $dialog "opening it"
  # Each step starts with another program in front, so that the dialog is in
  # front afterwards only if the step brought it there.
  other_to_front
  right_click_tray
  await 20 "the tray menu did not open over the $dialog dialog" menu_count_is 1
  shot $dialog-tray-menu
  # A click on the empty desktop closes the menu.
  click_at 300 30
  await 10 "the tray menu did not close" menu_count_is 0
  expect_in_front $dialog "the tray menu"
  other_to_front
  double_click_tray
  expect_in_front $dialog "a double click on the tray icon"
  other_to_front
  set -- $(probe rect "$title")
  click_at $(($1 + 20)) $((($2 + $4) / 2))
  expect_in_front $dialog "a click on the main window"
  shot $dialog-in-front
  other_to_front
  sim post "$title" 0x111 0xE0009070 || fail "could not post the model command"
  expect_in_front $dialog "a model picked from the tray menu"
  click_cancel $dialog
  park_pointer
  masks_are 0x00000180 0x019C0000 || fail "the model picked while the $dialog dialog was open took over: $(sim masks)"
done

for dialog in combination launch editor recording reset about; do
  echo "the exit command while the $dialog dialog is open"
  open_dialog $dialog
  sim post "$title" 0x111 2 || fail "could not post the exit command"
  await_program_end $exit_time "the program did not end on the exit command with the $dialog dialog open"
  [ "$(stored_mouse)" = "$stored_before" ] || fail "the exit stored $(stored_mouse) with the $dialog dialog open"
  [ "$(stored_macros)" = "$macros_before" ] || fail "the exit stored the macros $(stored_macros)"
  [ "$dialog" = about ] || start_and_open
done
window_exists "$title" && fail "a window of the program outlived it"
echo "main window open dialogs: ok"
