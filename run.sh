#!/bin/sh
# The demo: sets everything up, builds the program in its simulated-hardware
# flavour together with the device simulator, plugs in a simulated receiver
# with its driver, and starts the program under Wine with the sample models.
#
# With a display (DISPLAY set) the program runs on it, in a Wine desktop
# window whose task bar holds the program's tray icon; the script then waits
# until you close that window or press Ctrl+C. Without a display it runs on a
# virtual screen (Xvfb), walks through the first start by itself and writes
# screenshots of each step into build/windows-sim/demo/screenshots/.
set -eu
cd "$(dirname "$0")"
root=$(pwd)

tools/scripts/install-packages.sh

jobs=$(nproc 2>/dev/null || echo 2)
cmake --preset windows-sim >/dev/null
cmake --build build/windows-sim -j"$jobs" --target vn24g vn24gsim vn24g_windowprobe

build="$root/build/windows-sim"
demo="$build/demo"
shots="$demo/screenshots"
run="$root/cmake/wine-run.sh"
width=1024
height=720

# A fresh installation for every demo: the shipped files, no model chosen yet.
rm -rf "$demo"
cp -r "$build/dist" "$demo"
mkdir -p "$shots"
sim() { "$run" "$demo/vn24gsim.exe" "$@"; }

headless=0
if [ -z "${DISPLAY:-}" ]; then
  headless=1
  command -v Xvfb >/dev/null
  # Xvfb picks a display number nobody uses and tells it once it is ready.
  fifo="$demo/display.$$"
  rm -f "$fifo"
  mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 </dev/null &
  xvfb_pid=$!
  read -r number <"$fifo" || true
  rm -f "$fifo"
  [ -n "$number" ] || { echo "The virtual screen did not start."; exit 1; }
  export DISPLAY=":$number"
fi

cleanup() {
  sim quit >/dev/null 2>&1 || true
  WINEPREFIX="$build/wineprefix" wineserver -k 2>/dev/null || true
  [ "$headless" = 1 ] && kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT INT TERM

sim quit >/dev/null 2>&1 || true
# The simulator answers once it has started; its start command returns then.
sim start --driver on --receivers 2000 >/dev/null 2>&1 </dev/null ||
  { echo "The device simulator did not start."; exit 1; }
echo "Simulator running: driver present, receiver 0x2000 plugged in."

# A Wine desktop of its own gives the program a task bar with a tray area.
export WINEPREFIX="$build/wineprefix"
VN24G_CMAKE_DIR="$root/cmake"
. "$VN24G_CMAKE_DIR/wine-env.sh"
wine explorer /desktop=VN24G,${width}x${height} "$demo/vn24g.exe" >"$demo/program.out" 2>&1 </dev/null &
program=$!
echo "Program started: $demo/vn24g.exe"

cat <<TEXT

How to use it:
  - No model is recorded yet, so the program first asks which device you
    have: pick one and press OK.
  - It then lives in the tray (bottom right of the Wine desktop): double-click
    the icon to open the window, right-click it for the menu.
  - Press a button of the simulated device, e.g. the fourth mouse button
    (event 0x08) and its release (0x00):
        cmake/wine-run.sh $demo/vn24gsim.exe queue 0x08 0x00
  - See what the program told the driver:
        cmake/wine-run.sh $demo/vn24gsim.exe log
TEXT

if [ "$headless" = 0 ]; then
  echo "Close the Wine desktop window or press Ctrl+C to end the demo."
  wait "$program" || true
  exit 0
fi

shot() { import -window root "$shots/$1.png"; echo "  screenshot $shots/$1.png"; }
# The program's windows live inside the Wine desktop, out of reach of X
# tools: the window probe looks at them from inside.
probe() { wine "$build/tests/vn24g_windowprobe.exe" "$@" 2>/dev/null | tr -d '\r'; }
title="Varnok 2.4G Wireless Configuration"
fail() { echo "Gave up: $*."; exit 1; }
. "$root/cmake/await.sh"
window_is() { [ "$(probe state "$2")" = "$1" ]; }
window_gone() { ! probe state "$1" >/dev/null; }
menu_open() { probe list | grep -q '^#32768 '; }
menu_closed() { ! menu_open; }

echo
echo "No display: walking through the first start on a virtual screen."
await 120 "the device question did not appear" window_is shown "Choose Your Device"
shot 1-device-selection
# The model list has the focus: take the first model and confirm.
xdotool key Down Return
await 60 "the device question did not close" window_gone "Choose Your Device"
await 60 "the program did not settle in the tray" window_is hidden "$title"
shot 2-tray-icon-and-balloon
# The tray icon sits at the right end of the Wine desktop's task bar.
xdotool mousemove --sync $((width - 12)) $((height - 10))
xdotool click --repeat 2 --delay 80 1
await 60 "the window did not open from the tray" window_is shown "$title"
shot 3-main-window
xdotool mousemove --sync $((width - 12)) $((height - 10))
xdotool click 3
await 30 "the tray menu did not open" menu_open
shot 4-tray-menu
xdotool key Escape
await 30 "the tray menu did not close" menu_closed
sim log > "$demo/driver-log.txt" 2>&1 || true
echo "What the program told the driver: $demo/driver-log.txt"
echo "CurDevice recorded: $(grep CurDevice "$demo/VNType.ini" | tr -d '\r')"
