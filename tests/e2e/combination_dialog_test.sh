#!/bin/sh
# The key-combination dialog driven with real keys typed on the virtual
# screen (xdotool), which reach it through the keyboard-hook library:
#   - Ctrl+S shows "Ctrl+S" and OK hands back 0x01 0x53 0x00;
#   - Ctrl+A+B+C keeps A and B; right Alt gives the Alt bit;
#   - a new first press after a finished recording starts afresh;
#   - Enter, Esc, Space and Alt+F4 go into the combination and never close
#     the dialog; Cancel and the close button hand back "cancel";
#   - without the hook library the dialog opens and OK hands back zeros;
#   - with the simulated-hardware program: its exit closes an open dialog.
# The dialog runs in the window demo, which prints what the dialog handed
# back. Screenshots of each step stay in BUILD_DIR/e2e-main-window/screenshots.
#
#   combination_dialog_test.sh BUILD_DIR
set -e
build=$(cd "$1" && pwd)
repo="$(cd "$(dirname "$0")/../.." && pwd)"
name=combination
. "$repo/tools/windowprobe/session.sh"

demo_check
session_start

dialog="CDlgCombo"
demo_out="$home/combination.out"

# The dialog of the window demo on program folder $1 (the session's copy by
# default).
open_dialog() {
  demo_start "$dialog" "$demo_out" combo "${1:-$home}"
  # The hook is installed while the dialog starts; keys typed before the
  # dialog has shown could go nowhere.
  await 30 "the dialog did not show" dialog_shown
}
dialog_open() { window_exists "$dialog"; }
dialog_shown() { [ "$(window_state "$dialog")" = shown ]; }
close_dialog_with() {
  case $1 in
    ok) demo_close "$dialog" 154 117 OK ;;
    cancel) demo_close "$dialog" 227 117 Cancel ;;
    close) demo_close "$dialog" 247 13 "the close button" ;;
  esac
}
# press KEYS: types the keys; returns once the hook library has reported
# them, so that a later click reaches the dialog after the reports.
press() {
  xdotool key "$1"
  keys_through
}
# What the dialog handed back: "ok 0x01 0x53 0x00".
handed_back() {
  tr -d '\r' <"$demo_out" | awk '$1 == "result" { r = $2 } $1 == "combination" { c = $2 " " $3 " " $4 }
    END { print r, c }'
}
expect_back() {
  actual=$(handed_back)
  [ "$actual" = "$1" ] || fail "$2: the dialog handed back \"$actual\", not \"$1\""
}
fail_details() { echo "demo output:"; sed 's/^/  /' "$demo_out" 2>/dev/null; }

echo "Ctrl+S shows Ctrl+S and OK hands back 0x01 0x53 0x00"
open_dialog
shot opened
press ctrl+s
shot ctrl-s
close_dialog_with ok
expect_back "ok 0x01 0x53 0x00" "Ctrl+S"

echo "Ctrl+A+B+C keeps A and B"
open_dialog
xdotool keydown ctrl keydown a keydown b keydown c
xdotool keyup c keyup b keyup a keyup ctrl
keys_through
shot ctrl-a-b-c
close_dialog_with ok
expect_back "ok 0x01 0x41 0x42" "Ctrl+A+B+C"

echo "right Alt gives the Alt bit"
open_dialog
press Alt_R+k
shot right-alt-k
close_dialog_with ok
expect_back "ok 0x04 0x4B 0x00" "right Alt+K"

echo "a new first press after a finished recording clears it"
open_dialog
press ctrl+s
press x
shot after-x
close_dialog_with ok
expect_back "ok 0x00 0x58 0x00" "Ctrl+S then X"

echo "Enter, Esc, Space and Alt+F4 go into the combination and leave it open"
open_dialog
for key in Return Escape space alt+F4; do
  probe front "$dialog" >/dev/null || true
  press "$key"
  dialog_open || fail "$key closed the dialog"
done
shot after-alt-f4
close_dialog_with ok
expect_back "ok 0x04 0x73 0x00" "Alt+F4 as the last combination"
open_dialog
press Return
close_dialog_with ok
expect_back "ok 0x00 0x0D 0x00" "Enter"

echo "Cancel and the close button hand back cancel"
open_dialog
press ctrl+s
close_dialog_with cancel
expect_back "cancel 0x01 0x53 0x00" "Cancel"
open_dialog
close_dialog_with close
expect_back "cancel 0x00 0x00 0x00" "the close button"

echo "without the hook library the dialog opens and OK hands back zeros"
bare="$home/no-hook-library"
mkdir -p "$bare"
cp "$home/language.xml" "$bare/"
open_dialog "$bare"
press ctrl+s
shot without-library
close_dialog_with ok
expect_back "ok 0x00 0x00 0x00" "without the hook library"

if [ "$simulated" != yes ]; then
  echo "combination dialog: ok (the program's exit needs the simulated-hardware build)"
  exit 0
fi

echo "the program's exit closes an open dialog"
set_current_model 0x9080
start_simulator 2000
start_program
await 60 "the program did not start" window_exists "$title"
open_dialog
sim post "$title" 0x111 2 || fail "could not post the exit command"
await_program_end 30 "the program did not end on the exit command"
await 20 "the exit did not close the combination dialog" demo_ended
wait "$demo_pid" 2>/dev/null || true
expect_back "cancel 0x00 0x00 0x00" "closed by the exit"
echo "combination dialog: ok"
