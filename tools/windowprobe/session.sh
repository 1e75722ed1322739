# The Wine session of the tray program's end-to-end scripts, sourced by them
# after they set `build` (the build folder), `repo` (the source tree) and
# `name` (a short name for their files):
#   - a virtual screen (Xvfb) of its own, killed at the end;
#   - a Wine prefix of its own, in the script's Wine slot (cmake/wine-slot.sh;
#     scripts started by hand share one, a lock keeping them one at a time),
#     whose desktop is a 1024x720 virtual desktop with a task bar and a tray,
#     so the program, the simulator, the probe and the target windows all
#     live on the same desktop;
#   - a fresh copy of the program folder in $home, nothing stored in the
#     registry for the program, and the device simulator beside it;
#   - screenshots in $shots, named after the script and the step.
# Every process of the prefix is ended when the script ends, however it ends.

# The program must be the simulated-hardware flavour, and the tools must be
# there; otherwise the script says why it does nothing.
session_check() {
  if [ ! -f "$build/dist/vn24g.exe" ] || ! grep -q '^VN24G_SIMULATED_HARDWARE:BOOL=ON' "$build/CMakeCache.txt"; then
    echo "skipped: needs the program of the simulated-hardware build"
    exit 0
  fi
  if [ ! -f "$build/tests/vn24g_windowprobe.exe" ]; then
    echo "skipped: needs the window probe (build target vn24g_windowprobe)"
    exit 0
  fi
  for tool in wine wineserver Xvfb xdotool xwininfo import convert flock; do
    command -v $tool >/dev/null 2>&1 || { echo "skipped: $tool is missing"; exit 0; }
  done
}

title="Varnok 2.4G Wireless Configuration"
desktop_width=1024
desktop_height=720
root="$build/e2e-main-window"
slot_dir="${VN24G_WINE_SLOT_DIR:-$root}"
prefix="$slot_dir/desktop-prefix"
home="$root/$name"
shots="$root/screenshots"
probe_exe="$build/tests/vn24g_windowprobe.exe"
program_pid=
xvfb_pid=
shot_number=0

export WINEPREFIX="$prefix"
VN24G_CMAKE_DIR="$repo/cmake"
. "$VN24G_CMAKE_DIR/wine-env.sh"

# No process of the session keeps the session's lock (descriptor 8) open:
# a left-over process must not block the next script.
w() { wine "$@" 8>&-; }
# Output of Windows console programs arrives with CR LF line ends.
windows_out() {
  out_file="$home/last.out"
  "$@" >"$out_file" 2>"$out_file.err" 8>&-
  status=$?
  tr -d '\r' <"$out_file"
  return $status
}
probe() { windows_out wine "$probe_exe" "$@"; }
sim() { windows_out wine "$home/vn24gsim.exe" "$@"; }
# The Windows view of a path of this machine (drive Z: is the root).
windows_path() { printf 'Z:%s' "$1" | tr '/' '\\'; }

session_end() {
  set +e
  wineserver -k >/dev/null 2>&1 8>&-
  wineserver -w >/dev/null 2>&1 8>&-
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  xvfb_pid=
}

# Prints what was going on and ends the script as failed.
fail() {
  echo "FAILED: $*"
  set +e
  if [ -n "$DISPLAY" ]; then
    shot failure >/dev/null 2>&1
    echo "windows shown:"
    probe list 2>/dev/null | sed 's/^/  /'
  fi
  echo "simulator log:"
  sim log 2>/dev/null | sed 's/^/  /'
  # A script can tell more about what it was checking.
  command -v fail_details >/dev/null 2>&1 && fail_details
  exit 1
}

. "$VN24G_CMAKE_DIR/await.sh"

shot() {
  shot_number=$((shot_number + 1))
  file="$shots/$name-$(printf %02d $shot_number)-$1.png"
  import -window root -crop "${desktop_width}x${desktop_height}+0+0" "$file"
  echo "  screenshot $file"
}

session_start() {
  mkdir -p "$root" "$shots"
  rm -f "$shots/$name"-*.png
  mkdir -p "$slot_dir"
  exec 8>"$slot_dir/session.lock"
  flock -w 1800 8 || { echo "FAILED: another end-to-end session held the lock for half an hour"; exit 1; }
  trap session_end EXIT
  trap 'exit 1' INT TERM HUP

  fifo="$root/display.$$"
  rm -f "$fifo"
  mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 </dev/null 8>&- &
  xvfb_pid=$!
  read -r number <"$fifo" || true
  rm -f "$fifo"
  [ -n "$number" ] || fail "the virtual screen did not start"
  export DISPLAY=":$number"

  # Whatever an interrupted run left in the prefix goes first.
  wineserver -k >/dev/null 2>&1 8>&- || true
  wineserver -w >/dev/null 2>&1 8>&- || true
  if [ ! -f "$prefix/.vn24g-desktop" ]; then
    wine_prepare_prefix 8>&-
    # One virtual desktop named Default: every program of the prefix opens
    # its windows there, with the task bar and its tray at the bottom.
    w reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1 ||
      fail "the Wine prefix could not be set up"
    w reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d "${desktop_width}x${desktop_height}" /f \
      >/dev/null 2>&1 || fail "the Wine prefix could not be set up"
    wineserver -w >/dev/null 2>&1 8>&- || true
    touch "$prefix/.vn24g-desktop"
  fi
  w reg delete 'HKLM\Software\Varnok' /f /reg:32 >/dev/null 2>&1 || true

  rm -rf "$home"
  cp -r "$build/dist" "$home"
  # The desktop is up before anything else starts, as it is when a person
  # logs in. (Its task bar shows once there is a tray icon.)
  await 60 "the Wine desktop did not appear" desktop_shown
}

desktop_shown() {
  probe list >/dev/null && xdotool search --onlyvisible --name '^Default - Wine desktop$' >/dev/null 2>&1
}

# The simulator with the driver present and the given receivers (none or a
# list such as 2000); the log starts empty.
# A start that fails is tried again a few times (each try waits up to 10 s
# for the simulator to answer) before the script gives up with what the
# simulator said.
start_simulator() {
  tries=0
  until sim start --driver on --receivers "$1"; do
    tries=$((tries + 1))
    [ $tries -lt 4 ] || fail "the simulator did not start: $(cat "$home/last.out.err" 2>/dev/null)"
  done
  sim log --clear >/dev/null || fail "the simulator did not answer: $(cat "$home/last.out.err" 2>/dev/null)"
}

set_current_model() {
  sed -i "s/^CurDevice=.*/CurDevice=$1/" "$home/VNType.ini"
}

current_model() { sed -n 's/^CurDevice=\(.*\)$/\1/p' "$home/VNType.ini" | tr -d '\r'; }

start_program() {
  w "$home/vn24g.exe" >>"$home/program.out" 2>&1 </dev/null &
  program_pid=$!
}

program_running() { [ -n "$program_pid" ] && kill -0 "$program_pid" 2>/dev/null; }
program_ended() { ! program_running; }

await_program_end() {
  await "$1" "$2" program_ended
  wait "$program_pid" 2>/dev/null || true
  program_pid=
}

# "shown", "hidden" or "minimised"; nothing when there is no such window.
window_state() { probe state "${1:-$title}" 2>/dev/null; }
window_is() { [ "$(window_state)" = "$1" ]; }
window_exists() { probe state "${1:-$title}" >/dev/null 2>&1; }

# The simulator's log into $log_text; a simulator that does not answer
# fails the script rather than passing for an empty log.
read_log() { log_text=$(sim log) || fail "the simulator did not answer"; }
# The log, without its repeat counts, one line per entry.
log_lines() {
  read_log
  printf '%s\n' "$log_text" | sed -e 's/ x[0-9]*$//' -e '/^$/d'
}
log_has() {
  read_log
  printf '%s\n' "$log_text" | grep -q -- "$1"
}
masks_are() {
  sim masks >"$home/masks.out" &&
    grep -q "^mouse mask $1\$" "$home/masks.out" && grep -q "^key mask $2\$" "$home/masks.out"
}

# The tray icon is the only one, at the right end of the task bar.
tray_x=$((desktop_width - 12))
tray_y=$((desktop_height - 10))
double_click_tray() {
  move_pointer $tray_x $tray_y
  xdotool click --repeat 2 --delay 80 1
}
right_click_tray() {
  move_pointer $tray_x $tray_y
  xdotool click 3
}
menu_count_is() { [ "$(popup_menus | wc -l)" -eq "$1" ]; }
# The owner-drawn entries of the tray menu are 22 pixels high inside a
# 3-pixel edge; entry k counts from the bottom (0 is Exit, 3 is Help), so
# the positions hold with or without the device sub-menu.
menu_entry_y() { echo $(($1 - 14 - 22 * $2)); }
# Opens the tray menu; its rectangle is then in menu_left, menu_top,
# menu_right and menu_bottom, and menu_x is its middle.
open_tray_menu() {
  right_click_tray
  await 20 "the tray menu did not open" menu_count_is 1
  set -- $(popup_menus)
  menu_left=$1 menu_top=$2 menu_right=$3 menu_bottom=$4
  menu_x=$(((menu_left + menu_right) / 2))
}
# Moves the pointer away, so no tooltip or hover state gets in the way.
# It passes over the middle of the desktop (the program's window when that
# is shown) first: a pointer that jumps straight from a button to another
# program's window leaves the button looking hovered.
park_pointer() {
  move_pointer 500 300
  move_pointer 20 20
}

# The tray icon's balloon: a tooltip window with the program's title as its
# text, taller than the plain tooltip of the icon. Prints its rectangle.
balloon_rect() {
  probe balloons | awk -v text="$title" '{ line = $0; sub(/^[-0-9]+ [-0-9]+ [-0-9]+ [-0-9]+ /, "", line) }
    line == text && $4 - $2 > 40 { print $1, $2, $3, $4; exit }' | grep .
}
balloon_shown() { balloon_rect >/dev/null; }
balloon_gone() { ! balloon_shown; }
# The balloon sits over the tray menu; after a start it is waited for and
# clicked away as a person would.
dismiss_balloon() {
  await 30 "the tray icon's balloon did not appear" balloon_shown
  set -- $(balloon_rect)
  click_at $((($1 + $3) / 2)) $((($2 + $4) / 2 - 8))
  await 20 "the balloon did not go away when clicked" balloon_gone
  park_pointer
}

# click_at X Y: a left click at a point of the desktop.
click_at() {
  move_pointer "$1" "$2"
  xdotool click 1
}

# click_in TITLE X Y: a left click at a point of a window, in its own
# coordinates (the program's windows have no frame).
click_in() {
  rect=$(probe rect "$1") || fail "no window \"$1\" to click"
  set -- $rect "$2" "$3"
  click_at $(($1 + $5)) $(($2 + $6))
}

# click_control TITLE ID: a left click in the middle of a dialog's control,
# found by its id wherever the dialog's font puts it.
click_control() {
  rect=$(probe control "$1" "$2") || fail "no control $2 in \"$1\" to click"
  set -- $rect
  click_at $((($1 + $3) / 2)) $((($2 + $4) / 2))
}

# The visible popup menus, one "LEFT TOP RIGHT BOTTOM" line each.
popup_menus() { probe list | awk '$1 == "#32768" { print $2, $3, $4, $5 }'; }

# The program's message dialog: an untitled 351 x 141 dialog. Prints its
# left and top edges.
message_dialog_origin() {
  probe list | awk '$1 == "#32770" && NF == 5 && $4 - $2 == 351 && $5 - $3 == 141 { print $2, $3; exit }' | grep .
}
message_dialog_shown() { message_dialog_origin >/dev/null; }
# click_message_dialog ok|cancel
click_message_dialog() {
  origin=$(message_dialog_origin) || fail "no message dialog to answer"
  set -- $origin "$1"
  case $3 in
    ok) click_at $(($1 + 219)) $(($2 + 115)) ;;
    cancel) click_at $(($1 + 294)) $(($2 + 115)) ;;
  esac
}

# --- The window demo's scenes ----------------------------------------------
# Scripts that open one window through the window demo instead of the
# program call demo_check before session_start.
demo_exe="$build/tools/uidemo/vn24g_uidemo.exe"
demo_pid=

# The demo, the probe, the hook library and the tools must be there;
# `simulated` tells whether this is the simulated-hardware build.
demo_check() {
  if [ ! -f "$demo_exe" ] || [ ! -f "$build/dist/KBGetKey.dll" ] || [ ! -f "$probe_exe" ]; then
    echo "skipped: needs the window demo, the window probe and KBGetKey.dll of a Windows build"
    exit 0
  fi
  for tool in wine wineserver Xvfb xdotool xwininfo import convert flock; do
    command -v $tool >/dev/null 2>&1 || { echo "skipped: $tool is missing"; exit 0; }
  done
  # An if, not `grep && simulated=yes`: a failing last command would be the
  # function's status and end a script that runs under set -e.
  simulated=no
  if grep -q '^VN24G_SIMULATED_HARDWARE:BOOL=ON' "$build/CMakeCache.txt"; then
    simulated=yes
  fi
}

# demo_start WINDOW OUT SCENE FOLDER [ARGUMENTS...]: the scene on the program
# folder FOLDER, what it prints in OUT; waits for the window WINDOW, brings
# it to the front and moves the pointer out of the way.
demo_start() {
  demo_window=$1 demo_out=$2 demo_scene=$3 demo_folder=$4
  shift 4
  : >"$demo_out"
  w "$demo_exe" "$demo_scene" "$(windows_path "$demo_folder")" 600 "$@" >"$demo_out" 2>>"$demo_out.err" </dev/null &
  demo_pid=$!
  await 30 "the $demo_scene scene's window did not open" window_exists "$demo_window"
  probe front "$demo_window" >/dev/null || true
  park_pointer
}
demo_ended() { ! kill -0 "$demo_pid" 2>/dev/null; }
# demo_close WINDOW X Y WHAT: a click at X, Y in the window, which ends the
# scene (WHAT names the click for the failure message).
demo_close() {
  click_in "$1" "$2" "$3"
  await 20 "the $1 window did not close with $4" demo_ended
  wait "$demo_pid" 2>/dev/null || true
  demo_pid=
}

# --- Waiting for input to be taken ------------------------------------------

# pointer_at X Y: whether Windows has taken the pointer's move to X, Y.
pointer_at() { [ "$(probe cursor)" = "$1 $2" ]; }
# move_pointer X Y: moves the pointer there and returns once Windows has
# taken the move, so the window there has it in its queue before anything
# that follows (moves in quick succession would otherwise be merged, and a
# window passed over would never see the pointer).
move_pointer() {
  xdotool mousemove --sync "$1" "$2"
  await 20 "the pointer did not get to $1 $2" pointer_at "$1" "$2"
}
# keys_through: returns once every key typed so far has been through the
# system's keyboard hooks, the program's own among them: a marker key (Pause)
# typed now, which the probe's hook takes out, has then reached the probe.
# What the hooks posted is then queued ahead of any later click or key.
keys_through() {
  mark_out="$home/keymark.out"
  : >"$mark_out"
  wine "$probe_exe" keymark 60 >"$mark_out" 2>&1 8>&- &
  mark_pid=$!
  await 60 "the probe's keyboard hook did not start" grep -q ready "$mark_out"
  xdotool key Pause
  wait "$mark_pid" || fail "the keys typed did not come through the keyboard hooks"
}

# area_look WINDOW X Y W H: a checksum of what the screen shows of a part of
# a window, to wait for a click or key to change how it looks.
area_look() {
  rect=$(probe rect "$1") || return 1
  set -- $rect "$2" "$3" "$4" "$5"
  screen_look $(($1 + $5)) $(($2 + $6)) "$7" "$8"
}
# screen_look X Y W H: the same for a part of the desktop.
screen_look() { import -window root -crop "${3}x${4}+${1}+${2}" rgb:- 2>/dev/null | md5sum; }
screen_differs() { [ "$(screen_look "$1" "$2" "$3" "$4")" != "$5" ]; }
area_differs() { [ "$(area_look "$1" "$2" "$3" "$4" "$5")" != "$6" ]; }
# click_to_change WINDOW X Y W H WHAT: a click at X, Y of the window, which
# must change how the area X Y W H looks; the look is compared with the
# pointer parked, so a hover look does not count.
click_to_change() {
  park_pointer
  look_before=$(area_look "$1" "$4" "$5" "$6" "$7")
  click_in "$1" "$2" "$3"
  park_pointer
  await 20 "$8" area_differs "$1" "$4" "$5" "$6" "$7" "$look_before"
}

# The system's file-open dialog, titled "Open", as a person uses it: once
# it has the keyboard, the path typed into its name box, and Enter once the
# box shows the path.
file_open_has_keyboard() { [ "$(probe focus)" = Open ]; }
file_open_shows() { probe children Open | grep -qF -- "$1"; }
choose_in_file_open() {
  await 20 "the file-open dialog does not have the keyboard" file_open_has_keyboard
  xdotool type "$1"
  await 20 "the file-open dialog's name box does not show $1" file_open_shows "$1"
  xdotool key Return
  await 20 "the file-open dialog did not close on Enter" eval '! window_exists Open'
}

# A click on the empty desktop closes the tray menu.
close_menus() {
  click_at 300 300
  await 10 "the tray menu did not close" menu_count_is 0
}
# posted_handled: returns once the program's window has handled what was
# posted to it before: the tray's notice of a right button press, posted
# after it, opens the tray menu where the pointer is, which a click in a top
# corner of the desktop away from the menu, where no window of the program
# lies, closes again.
posted_handled() {
  sim post "$title" 0x600 0 516 || fail "could not post to the window"
  await 20 "the window did not handle what was posted to it" menu_count_is 1
  set -- $(popup_menus)
  if [ "$1" -gt $((desktop_width / 2)) ]; then
    click_at 20 20
  else
    click_at $((desktop_width - 24)) 20
  fi
  await 10 "the tray menu did not close" menu_count_is 0
}
# input_taken: returns once the program's window has taken every click and
# key given to it before: the pointer, moved onto its close button after
# them, lights the button only once the window takes the move. The pointer
# starts off the button.
input_taken() {
  look_before=$(area_look "$title" 628 35 16 16)
  rect=$(probe rect "$title") || fail "the window is gone"
  set -- $rect
  move_pointer $(($1 + 636)) $(($2 + 43))
  await 20 "the window did not take the input given to it" area_differs "$title" 628 35 16 16 "$look_before"
}
