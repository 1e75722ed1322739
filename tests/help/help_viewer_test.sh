#!/bin/sh
# Opens help.chm in a CHM reader of the machine (xCHM) on a virtual screen
# at two pages, one with pictures of the program and one of functions,
# checks that the reader took the file (its window names the help's title),
# and leaves a screenshot of each page in OUT_DIR.
#
#   help_viewer_test.sh HELP_CHM OUT_DIR
set -e
chm=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
out=$2
for tool in xchm Xvfb xdotool import extract_chmLib; do
  command -v $tool >/dev/null 2>&1 || { echo "skipped: $tool is missing"; exit 0; }
done
[ -f "$chm" ] || { echo "FAILED: $chm was not built"; exit 1; }
mkdir -p "$out"
rm -f "$out"/*.png
work=$(mktemp -d)
xvfb_pid=
viewer_pid=
finish() {
  [ -n "$viewer_pid" ] && kill "$viewer_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap finish EXIT
trap 'exit 1' INT TERM HUP

# The title the help file gives itself, from its #SYSTEM file (record 3).
extract_chmLib "$chm" "$work/extracted" >/dev/null
title=$(python3 -c 'import sys; sys.path.insert(0, sys.argv[1]); import check_help
print(check_help.read_system(sys.argv[2]).get(check_help.SYSTEM_TITLE, ""))' "$(dirname "$0")" "$work/extracted/#SYSTEM")
[ -n "$title" ] || { echo "FAILED: the help file has no title"; exit 1; }

fifo="$work/display"
mkfifo "$fifo"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 </dev/null &
xvfb_pid=$!
read -r number <"$fifo" || true
[ -n "$number" ] || { echo "FAILED: the virtual screen did not start"; exit 1; }
export DISPLAY=":$number"
# The reader keeps its settings in the home folder.
export HOME="$work/home"
mkdir -p "$HOME"

fail() { echo "FAILED: $*"; exit 1; }
. "$(dirname "$0")/../../cmake/await.sh"
resized() { xdotool getwindowgeometry "$window" | grep -q "Geometry: 900x700"; }

# show PAGE NAME: the reader at PAGE of the help, its window as NAME.png.
show() {
  xchm "file:$chm#xchm:/$1" >"$work/viewer.out" 2>&1 &
  viewer_pid=$!
  tries=0
  until window=$(xdotool search --onlyvisible --name "^xCHM.*: $title\$" 2>/dev/null | head -1) &&
        [ -n "$window" ]; do
    tries=$((tries + 1))
    if [ $tries -ge 100 ]; then
      echo "FAILED: the CHM reader showed no window titled \"$title\" for $1"
      xdotool search --onlyvisible --name . getwindowname %@ 2>/dev/null | sed 's/^/  window: /'
      sed 's/^/  /' "$work/viewer.out"
      exit 1
    fi
    sleep 0.3
  done
  xdotool windowmove "$window" 0 0 windowsize "$window" 900 700
  await 30 "the CHM reader's window did not take its new size" resized
  import -window "$window" "$out/$2.png"
  echo "  screenshot $out/$2.png"
  kill "$viewer_pid" 2>/dev/null
  wait "$viewer_pid" 2>/dev/null || true
  viewer_pid=
}

show tray-icon.html tray-icon
show functions-windows.html functions-windows
echo "help viewer: ok"
