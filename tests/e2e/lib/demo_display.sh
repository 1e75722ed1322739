# The window demo on a virtual display of its own, for the scripts that show
# its scenes and look at them. Sourced after setting
#   build  the Windows build folder      run   cmake/wine-run.sh
#   demo   the demo program              shots the folder for screenshots
# it starts Xvfb, makes the demo's Wine prefix, and gives the script
# DISPLAY, WINEPREFIX and Wine's settings, `folder` (the program folder as
# Wine names it), `fail` and `failures`, `wait_for_window`, `window_shown`
# and `demo_pid`, whose program is ended, with Wine and the display, when the
# script exits.

fifo="$shots/display.$$"
rm -f "$fifo"
mkfifo "$fifo"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 </dev/null &
xvfb=$!
read -r number <"$fifo"
rm -f "$fifo"
export DISPLAY=":$number"
demo_pid=
# The plain prefix of the script's Wine slot, as cmake/wine-run.sh names it.
demo_prefix="${VN24G_WINE_SLOT_DIR:-$build}/wineprefix"
cleanup() {
  [ -n "$demo_pid" ] && kill "$demo_pid" 2>/dev/null || true
  # Wine's processes go before their display does: a desktop process left
  # on a display that is gone would stall the next program of the prefix.
  WINEPREFIX="$demo_prefix" wineserver -k >/dev/null 2>&1 || true
  WINEPREFIX="$demo_prefix" wineserver -w >/dev/null 2>&1 || true
  kill "$xvfb" 2>/dev/null || true
}
trap cleanup EXIT

# Wine's drive Z: is the root of the file system.
folder="Z:$(echo "$build/dist" | tr / '\\')"
# Nothing manages windows on the bare display: Wine then draws the frames
# itself and places the popups, as on a desktop. (The first run also makes
# the Wine prefix the setting goes into.)
"$run" "$demo" none "$folder" >/dev/null 2>&1 || true
export WINEPREFIX="$demo_prefix"
VN24G_CMAKE_DIR="$(dirname "$run")"
. "$VN24G_CMAKE_DIR/wine-env.sh"
wine reg add 'HKCU\Software\Wine\AppDefaults\vn24g_uidemo.exe\X11 Driver' /v Managed /d N /f >/dev/null 2>&1

failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

# The geometry "WxH+X+Y" of the first top-level window of the demo whose size
# matches the pattern (and whose title is the second argument, when given),
# waiting up to ninety seconds for it: a busy machine may take long to start
# the first Windows program of a new prefix.
wait_for_window() {
  deadline=$(($(date +%s) + 90))
  while [ "$(date +%s)" -lt "$deadline" ]; do
    found=$(xwininfo -root -tree 2>/dev/null | grep '"vn24g_uidemo.exe"' | grep -F "\"${2:-}" |
      grep -o "$1+[0-9-]*+[0-9-]*" | head -1)
    [ -n "$found" ] && { echo "$found"; return 0; }
    sleep 0.2
  done
  return 1
}

# Whether a window of the demo of this size is on the screen now.
window_shown() {
  xwininfo -root -tree 2>/dev/null | grep '"vn24g_uidemo.exe"' | grep -q "$1+"
}

# move_pointer X Y: moves the pointer there and waits until Windows has
# taken the move (the window probe reads where Windows has the pointer), so
# moves in quick succession are not merged into one.
. "$(dirname "$run")/await.sh"
probe_exe="$build/tests/vn24g_windowprobe.exe"
pointer_at() { [ "$("$run" "$probe_exe" cursor 2>/dev/null | tr -d '\r')" = "$1 $2" ]; }
move_pointer() {
  xdotool mousemove --sync "$1" "$2"
  await 30 "the pointer did not get to $1 $2" pointer_at "$1" "$2"
}
