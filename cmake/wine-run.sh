#!/bin/sh
# Runs a Windows program of this build under Wine.
#
# The Wine prefix lives in the build tree so that every build has its own
# registry and nothing leaks into the user's ~/.wine. Creating a prefix takes
# several seconds and CTest starts tests in parallel, so the first caller
# creates it under a lock and the others wait. Without a display, one Xvfb
# server is started for the build tree and shared by all tests.
#
# An end-to-end script runs in a Wine slot of its own (cmake/wine-slot.sh,
# VN24G_WINE_SLOT_DIR): the prefix and the Xvfb server are then the slot's,
# so scripts in other slots never see its windows, its simulator or its
# registry.
set -e
# A lock the caller holds (the slot's) is not handed on to Wine's servers,
# which may outlive the caller.
exec 8>&-

exe="$1"
shift

build_dir=$(cd "$(dirname "$exe")" && pwd)
while [ "$build_dir" != / ] && [ ! -f "$build_dir/CMakeCache.txt" ]; do
  build_dir=$(dirname "$build_dir")
done
if [ ! -f "$build_dir/CMakeCache.txt" ]; then
  build_dir="${TMPDIR:-/tmp}/vn24g-wine"
  mkdir -p "$build_dir"
fi

state_dir="${VN24G_WINE_SLOT_DIR:-$build_dir}"
export WINEPREFIX="${VN24G_WINEPREFIX:-$state_dir/wineprefix}"
VN24G_CMAKE_DIR=$(cd "$(dirname "$0")" && pwd)
. "$VN24G_CMAKE_DIR/wine-env.sh"

start_xvfb() {
  display_file="$state_dir/xvfb.display"
  pid_file="$state_dir/xvfb.pid"
  if [ -f "$display_file" ] && [ -f "$pid_file" ]; then
    number=$(cat "$display_file")
    pid=$(cat "$pid_file")
    if [ -n "$number" ] && [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null &&
       [ -e "/tmp/.X11-unix/X$number" ]; then
      echo ":$number"
      return
    fi
  fi
  fifo="$state_dir/xvfb.fifo.$$"
  rm -f "$fifo"
  mkfifo "$fifo"
  setsid Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 < /dev/null &
  echo $! > "$pid_file"
  read -r number < "$fifo"
  rm -f "$fifo"
  echo "$number" > "$display_file"
  echo ":$number"
}

exec 9>"$state_dir/wineprefix.lock"
flock 9
if [ -z "$DISPLAY" ]; then
  DISPLAY=$(start_xvfb)
fi
export DISPLAY
if [ ! -f "$WINEPREFIX/.vn24g-ready" ]; then
  wine_prepare_prefix
  wineserver --wait || true
  touch "$WINEPREFIX/.vn24g-ready"
fi
flock -u 9
exec 9>&-

if [ -t 1 ]; then
  exec wine "$exe" "$@"
fi
# Wine's background processes (its server, services and desktop) outlive the
# program that started them and keep that program's output open, and CTest
# waits for a test's output to close: a test would last as long as the whole
# Wine session. Off a terminal the program writes into files instead, handed
# on once it ends.
out=$(mktemp)
err=$(mktemp)
# (A program started in the background would read nothing on its input.)
if [ -e /proc/self/fd/0 ]; then exec 3<&0; else exec 3</dev/null; fi
wine "$exe" "$@" <&3 >"$out" 2>"$err" 3<&- &
pid=$!
exec 3<&-
trap 'kill "$pid" 2>/dev/null' INT TERM HUP
status=0
wait "$pid" || status=$?
cat "$out"
cat "$err" >&2
rm -f "$out" "$err"
exit "$status"
