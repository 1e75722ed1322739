#!/bin/sh
# Measures the tray program against an empty tray program under Wine, in
# one session, the two started in turn (STARTS each), and prints each
# figure with the empty program's and their ratio:
#   - start to tray icon and start to window title (medians);
#   - private memory (RssAnon) 5 s after the start (median);
#   - exit command to process gone (median), on every other start while
#     events arrive from the simulator all the time;
#   - the driver channel: its get-event round trip, and one event from the
#     simulator's queue to the program's window (p50 and p99);
#   - the event path: a press of a button that sends Ctrl+C, from the
#     simulator's semaphore release to the first key at a low-level hook of
#     another process, with the system's floors measured in the same run
#     (the wake of a waiting thread of another process, and a key sent to a
#     hook of the same process), and the program's share: the path less the
#     two floors' medians (p50 and p99).
# It builds nothing: it needs the simulated-hardware build with the window
# probe, the channel probe and the empty tray program. It checks nothing.
#
#   tools/measure/measure.sh BUILD_DIR [STARTS]
set -e
build=$(cd "$1" && pwd)
starts=${2:-10}
repo="$(cd "$(dirname "$0")/../.." && pwd)"
name=measure
. "$repo/tools/windowprobe/session.sh"
session_check
empty_exe="$build/tests/vn24g_empty_tray.exe"
channel_probe="$build/tests/vn24g_channel_probe.exe"
for needed in "$empty_exe" "$channel_probe"; do
  [ -f "$needed" ] || { echo "skipped: needs $(basename "$needed") (build targets vn24g_empty_tray vn24g_channel_probe)"; exit 0; }
done
session_start

empty_title="Empty tray program"
visible_desktop_windows() { xdotool search --onlyvisible --class explorer.exe 2>/dev/null | wc -l; }
titled() { xdotool search --name "^$1\$" >/dev/null 2>&1; }
now_ms() { echo $(($(date +%s%N) / 1000000)); }
# `wine` leaves a small launcher process that waits for the program; the
# program itself is the process of that name in this session's prefix using
# the most memory.
rss_anon_kb() {
  for status in /proc/[0-9]*/status; do
    tr '\0' ' ' 2>/dev/null <"${status%/status}/cmdline" | grep -qF "$1" || continue
    tr '\0' '\n' 2>/dev/null <"${status%/status}/environ" | grep -qxF "WINEPREFIX=$WINEPREFIX" || continue
    awk '/^RssAnon:/ { print $2 }' "$status" 2>/dev/null
  done | sort -n | tail -n 1
}

# measure_start WHO EXE TITLE quiet|busy: one start of EXE; appends
# "tray_ms title_ms rss_kb exit_ms quiet|busy" to $home/WHO.txt.
measure_start() {
  who=$1 exe=$2 window_title=$3 traffic=$4
  base=$(visible_desktop_windows)
  tray_ms= title_ms=
  start=$(now_ms)
  w "$exe" >>"$home/$who.out" 2>&1 </dev/null &
  pid=$!
  while [ -z "$tray_ms" ] || [ -z "$title_ms" ]; do
    now=$(now_ms)
    [ $((now - start)) -lt 60000 ] || fail "$who: no tray icon or no window title after a minute"
    [ -z "$tray_ms" ] && [ "$(visible_desktop_windows)" -gt "$base" ] && tray_ms=$((now - start))
    [ -z "$title_ms" ] && titled "$window_title" && title_ms=$((now - start))
    sleep 0.01
  done
  left=$((start + 5000 - $(now_ms)))
  [ $left -gt 0 ] && sleep "$(printf '%d.%03d' $((left / 1000)) $((left % 1000)))"
  rss_kb=$(rss_anon_kb "$(basename "$exe")")
  [ -n "$rss_kb" ] || fail "$who: no memory figure for process $pid"
  flood_pid=
  if [ "$traffic" = busy ]; then
    # Codes of no kind the program acts on, in small bursts, until it leaves.
    w "$home/vn24gsim.exe" flood 1000000 --first 0x60000000 --burst 20 >/dev/null 2>&1 &
    flood_pid=$!
    sleep 0.5
  fi
  sim post "$window_title" 0x111 2 >/dev/null || fail "$who: could not post the exit command"
  posted=$(now_ms)
  while kill -0 "$pid" 2>/dev/null; do
    [ $(($(now_ms) - posted)) -lt 30000 ] || fail "$who: did not end on the exit command"
    sleep 0.005
  done
  exit_ms=$(($(now_ms) - posted))
  wait "$pid" 2>/dev/null || true
  # The flood ends once nobody takes its events any more.
  [ -n "$flood_pid" ] && wait "$flood_pid" 2>/dev/null || true
  echo "$tray_ms $title_ms $rss_kb $exit_ms $traffic" >>"$home/$who.txt"
  echo "  $who start: tray icon $tray_ms ms, window title $title_ms ms, RssAnon $rss_kb kB, exit $exit_ms ms ($traffic)"
  # The task bar goes with the last tray icon; the next start begins without.
  await 20 "$who: the tray icon stayed after the exit" tray_back_to "$base"
}
tray_back_to() { [ "$(visible_desktop_windows)" -le "$1" ]; }

set_current_model 0x9080
start_simulator 2000
: >"$home/program.txt"
: >"$home/empty.txt"
for run in $(seq 1 "$starts"); do
  traffic=quiet
  [ $((run % 2)) -eq 0 ] && traffic=busy
  measure_start program "$home/vn24g.exe" "$title" $traffic
  measure_start empty "$empty_exe" "$empty_title" $traffic
done

median() {
  sort -n | awk '{ v[NR] = $1 } END { print (NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2) }'
}
# column_median WHO COLUMN [quiet|busy]
column_median() { grep "${3:-}\$" "$home/$1.txt" | cut -d' ' -f"$2" | median; }
row() {
  program=$(column_median program "$2" "$5") empty=$(column_median empty "$2" "$5")
  awk -v what="$1" -v p="$program" -v e="$empty" -v unit="$3" -v scale="$4" 'BEGIN {
    printf "%-36s %10.1f %s %10.1f %s %7.2f\n", what, p / scale, unit, e / scale, unit, (e > 0 ? p / e : 0) }'
}

echo
printf "%-36s %13s %13s %7s\n" "figure (median)" "program" "empty program" "ratio"
row "start -> tray icon" 1 ms 1
row "start -> window title" 2 ms 1
row "private memory 5 s after start" 3 MB 1024
row "exit command -> process gone" 4 ms 1 quiet
row "  the same while events arrive" 4 ms 1 busy

# The channel probe uses the session's simulator, now that no program holds
# the driver.
echo
echo "driver channel (simulator -> channel probe, 1000 events):"
windows_out wine "$channel_probe" latency 1000 >"$home/channel.txt" || fail "the channel probe failed"
sed 's/^/  /' "$home/channel.txt"

# The fourth button of the Duo sends Ctrl+C; the probe presses it through
# the simulator and watches the keys with its own hook. The channel probe
# reset the simulator: the receiver goes back in.
sim plug 2000 >/dev/null || fail "could not plug the receiver in again"
probe assign "Varnok Duo S8" mouse 4 0x41 >/dev/null || fail "could not give the button its keys"
start_program
await 60 "the program did not give the driver its masks" masks_are 0x00000188 0x019C0000
# The keys go where a user's keys go: to a window in front, of another
# program.
target="vn24g measure target"
w "$probe_exe" target "$target" "$(windows_path "$home/target-keys.txt")" "" >/dev/null 2>&1 &
await 30 "the target window did not start" grep -q ready "$home/target-keys.txt"
target_in_front() { [ "$(probe focus)" = "$target" ]; }
await 10 "the target window is not in front" target_in_front
echo
echo "event path (200 presses):"
windows_out wine "$channel_probe" keypath 200 >"$home/keypath.txt" || fail "the key-path probe failed"
sed 's/^/  /' "$home/keypath.txt"
sim post "$target" 0x10 >/dev/null || fail "could not close the target window"
sim post "$title" 0x111 2 >/dev/null || fail "could not post the exit command"
await_program_end 30 "the program did not end on the exit command"
# percentile FILE WHAT p50|p99: the figure of the line starting with WHAT.
percentile() { grep "^$2" "$1" | sed -n "s/.*$3 \([0-9.]*\) us.*/\1/p"; }
wake=$(percentile "$home/channel.txt" "semaphore release" p50)
post=$(percentile "$home/channel.txt" "message posted" p50)
floor=$(percentile "$home/keypath.txt" "key sent" p50)
awk -v p50="$(percentile "$home/keypath.txt" "semaphore release" p50)" \
    -v p99="$(percentile "$home/keypath.txt" "semaphore release" p99)" \
    -v wake="$wake" -v post="$post" -v floor="$floor" 'BEGIN {
  printf "  the program'"'"'s share (path - wake %.1f us - key floor %.1f us): p50 %.1f us, p99 %.1f us\n",
         wake, floor, p50 - wake - floor, p99 - wake - floor
  printf "  of which the message from the event thread to the window (%.1f us): the rest p50 %.1f us, p99 %.1f us\n",
         post, p50 - wake - floor - post, p99 - wake - floor - post }'
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
