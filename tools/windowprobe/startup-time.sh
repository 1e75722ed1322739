#!/bin/sh
# Measures how long the tray program takes under Wine from its start to its
# tray icon, over several starts, in the session the end-to-end scripts use
# (a virtual screen, a Wine desktop with a task bar, the device simulator).
# The task bar only shows while there is a tray icon, so the moment it
# appears is the moment the icon does; the program's window title is taken
# as a second mark. Prints one line per start and a summary; it checks
# nothing.
#
#   tools/windowprobe/startup-time.sh BUILD_DIR [STARTS]
set -e
build=$(cd "$1" && pwd)
starts=${2:-8}
repo="$(cd "$(dirname "$0")/../.." && pwd)"
name=startup-time
. "$repo/tools/windowprobe/session.sh"
session_check
session_start

visible_desktop_windows() { xdotool search --onlyvisible --class explorer.exe 2>/dev/null | wc -l; }
title_set() { xdotool search --name "^$title\$" >/dev/null 2>&1; }
tray_gone() { [ "$(visible_desktop_windows)" -le "$base" ]; }
now_ms() { echo $(($(date +%s%N) / 1000000)); }

set_current_model 0x9080
start_simulator 2000
results="$home/startup-times.txt"
: >"$results"
for run in $(seq 1 "$starts"); do
  base=$(visible_desktop_windows)
  tray_ms= title_ms=
  start=$(now_ms)
  start_program
  while [ -z "$tray_ms" ] || [ -z "$title_ms" ]; do
    now=$(now_ms)
    [ $((now - start)) -lt 60000 ] || fail "start $run: no tray icon or no window title after a minute"
    [ -z "$tray_ms" ] && [ "$(visible_desktop_windows)" -gt "$base" ] && tray_ms=$((now - start))
    [ -z "$title_ms" ] && title_set && title_ms=$((now - start))
    sleep 0.01
  done
  echo "start $run: tray icon after $tray_ms ms, window title after $title_ms ms"
  echo "$tray_ms $title_ms" >>"$results"
  await 60 "start $run: the program did not give the driver its masks" masks_are 0x00000180 0x019C0000
  sim post "$title" 0x111 2 || fail "could not post the exit command"
  await_program_end 30 "start $run: the program did not end on the exit command"
  # The task bar goes when the icon does.
  await 20 "start $run: the tray icon stayed after the exit" tray_gone
done
summary() {
  sort -n | awk '{ v[NR] = $1 } END { printf "min %d ms, median %d ms, max %d ms over %d starts\n",
    v[1], (NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2), v[NR], NR }'
}
echo "tray icon: $(cut -d' ' -f1 "$results" | summary)"
echo "window title: $(cut -d' ' -f2 "$results" | summary)"
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
