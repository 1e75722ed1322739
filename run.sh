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
cmake --build build/windows-sim -j"$jobs" --target vn24g vn24gsim

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
  Xvfb :93 -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  export DISPLAY=:93
  sleep 1
fi

cleanup() {
  sim quit >/dev/null 2>&1 || true
  WINEPREFIX="$build/wineprefix" wineserver -k 2>/dev/null || true
  [ "$headless" = 1 ] && kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT INT TERM

sim quit >/dev/null 2>&1 || true
sim start --driver on --receivers 2000 >/dev/null 2>&1 </dev/null &
sleep 2
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
desktop_window() { xdotool search --name "VN24G" 2>/dev/null | head -n 1; }

echo
echo "No display: walking through the first start on a virtual screen."
sleep 8
shot 1-device-selection
# The model list has the focus: take the first model and confirm.
xdotool key Down
sleep 0.5
xdotool key Return
sleep 6
shot 2-tray-icon-and-balloon
# The tray icon sits at the right end of the Wine desktop's task bar.
xdotool mousemove $((width - 12)) $((height - 10))
sleep 0.3
xdotool click --repeat 2 --delay 80 1
sleep 4
shot 3-main-window
xdotool mousemove $((width - 12)) $((height - 10))
xdotool click 3
sleep 2
shot 4-tray-menu
xdotool key Escape
sleep 1
sim log > "$demo/driver-log.txt" 2>&1 || true
echo "What the program told the driver: $demo/driver-log.txt"
echo "CurDevice recorded: $(grep CurDevice "$demo/VNType.ini" | tr -d '\r')"
