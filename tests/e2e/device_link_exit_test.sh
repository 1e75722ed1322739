#!/bin/sh
# The program's exit while its event thread is busy with the driver, against
# the device simulator, several times over: the exit is asked for while the
# driver holds a get-event request unanswered, and events keep arriving
# while the program shuts down. Each time the program ends by itself soon
# after the driver answers, with exit code 0, having cleared the masks and
# unregistered, in that order, before the handle was closed.
#
#   device_link_exit_test.sh BUILD_DIR [ROUNDS]
set -e
e2e_build=$1 e2e_name=e2e-device-link-exit
. "$(dirname "$0")/lib/simulated_program.sh"
rounds=${2:-5}
# A current model, so no device selection is asked for.
sed -i 's/^CurDevice=.*/CurDevice=0x9080/' "$home/VNType.ini"
# Event codes of no kind the program acts on: the flood only keeps the
# event thread fetching.
inert=0x60000000
flood_pid=
probe_exe="$build/tests/vn24g_windowprobe.exe"
fetch_held() { sim status && grep -q "^fetches held 1" "$out"; }

finish() {
  [ -n "$flood_pid" ] && kill "$flood_pid" 2>/dev/null
  [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null
  "$run" "$simulator" quit >/dev/null 2>&1 || true
}

"$run" "$simulator" quit
sim start --driver on || fail "the simulator did not start"
round=1
while [ $round -le "$rounds" ]; do
  sim log --clear
  "$run" "$home/vn24g.exe" >"$home/program.out" 2>&1 &
  program_pid=$!
  await_log "key mask 0x019C0000 ok"

  # The event thread's request for the first event stays unanswered ...
  sim hold on
  sim queue $inert || fail "round $round: the program's semaphore did not take the event"
  await 60 "round $round: the event thread's request never reached the held driver" fetch_held
  # ... while more events arrive all the time.
  "$run" "$simulator" flood 4000 --first $((inert + 1)) --burst 20 >/dev/null 2>&1 &
  flood_pid=$!
  sim log --clear
  sim post "$title" 0x111 2 || fail "round $round: the program's window was not found"
  # The exit's first words to the driver wait behind the held request on
  # the same handle, and the window's thread with them: once it takes no
  # message, the driver answers.
  await 60 "round $round: the program's window went on taking messages after the exit command" \
    "$run" "$probe_exe" busy "$title"
  sim hold off

  await 10 "round $round: the program did not end after the driver's answer" program_ended
  status=0
  wait "$program_pid" || status=$?
  program_pid=
  [ $status -eq 0 ] || fail "round $round: the program ended with status $status"
  wait "$flood_pid" 2>/dev/null || true
  flood_pid=

  # Answers to the thread's requests may come between the exit's steps.
  expected="0x22240C mouse mask 0x00000000 ok
0x222410 key mask 0x00000000 ok
0x222404 unregister ok
close"
  actual=$(log_lines | grep -v "get event" || true)
  [ "$actual" = "$expected" ] || fail "round $round: the exit told the driver:
$actual"
  sim status
  grep -q "^handles open 0" "$out" || fail "round $round: a driver handle was left open"
  echo "round $round: ok"
  round=$((round + 1))
done
finish
echo "exit with events in flight: ok"
