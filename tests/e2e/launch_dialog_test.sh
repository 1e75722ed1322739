#!/bin/sh
# The program-launch dialog driven as a person drives it (xdotool):
#   - opened for a program ending in app.exe it shows app.exe, and OK hands
#     the path back unchanged;
#   - Browse opens the system's file-open dialog; a path typed there and
#     Enter, then OK, hands back that full path;
#   - Cancel and the close button after browsing hand back the path the
#     dialog was opened with;
#   - a long file name is shown on one line ending in an ellipsis;
#   - with the simulated-hardware program: its exit closes an open dialog.
# The dialog runs in the window demo, which prints what the dialog handed
# back. Screenshots of each step stay in BUILD_DIR/e2e-main-window/screenshots.
#
#   launch_dialog_test.sh BUILD_DIR
set -e
build=$(cd "$1" && pwd)
repo="$(cd "$(dirname "$0")/../.." && pwd)"
name=launch
. "$repo/tools/windowprobe/session.sh"

demo_check
session_start

dialog="CDlgAutoStart"
demo_out="$home/launch.out"

# The dialog of the window demo for a button whose program is $1.
open_dialog() { demo_start "$dialog" "$demo_out" launch "$home" "$1"; }
close_dialog_with() {
  case $1 in
    ok) demo_close "$dialog" 219 115 OK ;;
    cancel) demo_close "$dialog" 294 115 Cancel ;;
    close) demo_close "$dialog" 330 13 "the close button" ;;
  esac
}
# What the dialog handed back: "ok|cancel PATH".
handed_back() {
  tr -d '\r' <"$demo_out" | awk '$1 == "result" { r = $2 } $1 == "path" { p = substr($0, 6) } END { print r, p }'
}
expect_back() {
  actual=$(handed_back)
  [ "$actual" = "$1" ] || fail "$2: the dialog handed back \"$actual\", not \"$1\""
}
fail_details() { echo "demo output:"; sed 's/^/  /' "$demo_out" 2>/dev/null; }
# The file-open dialog: the system's, titled "Open".
file_dialog_open() { window_exists Open; }
# Browse, then the path $1 typed into the file-open dialog's name box and
# Enter.
browse_to() {
  click_in "$dialog" 274 75
  await 20 "Browse opened no file-open dialog" file_dialog_open
  shot file-open-dialog
  choose_in_file_open "$1"
  park_pointer
}

# A folder with programs to choose, on drive Z: like every path here.
programs="$home/programs"
mkdir -p "$programs"
: >"$programs/picked.exe"
opened='C:\Program Files\Tools\app.exe'

echo "opened for app.exe it shows app.exe; OK hands the path back"
open_dialog "$opened"
shot app-exe
close_dialog_with ok
expect_back "ok $opened" "OK without browsing"

echo "Browse, a typed path and Enter, then OK hands back the full path"
picked="$(windows_path "$programs/picked.exe")"
open_dialog "$opened"
browse_to "$picked"
shot picked
close_dialog_with ok
expect_back "ok $picked" "OK after browsing"

echo "Cancel and the close button after browsing hand back the old path"
open_dialog "$opened"
browse_to "$picked"
close_dialog_with cancel
expect_back "cancel $opened" "Cancel after browsing"
open_dialog "$opened"
browse_to "$picked"
close_dialog_with close
expect_back "cancel $opened" "the close button after browsing"

echo "a long file name is shown on one line ending in an ellipsis"
open_dialog 'C:\Tools\a program with a very long name indeed that cannot fit.exe'
shot long-name
close_dialog_with cancel

if [ "$simulated" != yes ]; then
  echo "launch dialog: ok (the program's exit needs the simulated-hardware build)"
  exit 0
fi

echo "the program's exit closes an open dialog"
set_current_model 0x9080
start_simulator 2000
start_program
await 60 "the program did not start" window_exists "$title"
open_dialog "$opened"
sim post "$title" 0x111 2 || fail "could not post the exit command"
await_program_end 30 "the program did not end on the exit command"
await 20 "the exit did not close the launch dialog" demo_ended
wait "$demo_pid" 2>/dev/null || true
expect_back "cancel $opened" "closed by the exit"
echo "launch dialog: ok"
