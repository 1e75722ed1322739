#!/bin/sh
# The program's device link end to end, against the device simulator: the
# driver absent at start and retried, then opened, registered, enabled and
# given the masks; a receiver plugged in while the driver is open; events
# fetched; and the ordered shutdown when the program exits from its tray menu.
#
#   device_link_program_test.sh BUILD_DIR
set -e
e2e_build=$1 e2e_name=e2e-device-link
. "$(dirname "$0")/lib/simulated_program.sh"
# A current model, so no device selection is asked for.
sed -i 's/^CurDevice=.*/CurDevice=0x9080/' "$home/VNType.ini"

"$run" "$simulator" quit
sim start --driver off || fail "the simulator did not start"
"$run" "$home/vn24g.exe" >"$home/program.out" 2>&1 &
program_pid=$!

# Driver absent: the program keeps trying to open it.
await_log "open refused"
sim driver on
await_log "key mask 0x019C0000 ok"
expected="open refused
open
0x222400 register
0x222414 enable 0x00000001 ok
0x22240C mouse mask 0x00000000 ok
0x222410 key mask 0x00000000 ok
0x222434 extra key mask 0x00000000 ok
0x22240C mouse mask 0x00000180 ok
0x222410 key mask 0x019C0000 ok"
actual=$(log_lines | uniq | sed 's/^\(0x222400 register\).*/\1/')
[ "$actual" = "$expected" ] || fail "start-up order was:
$actual"

# A receiver arrives while the driver is open: enable and masks again, no
# second open.
sim log --clear
sim plug 2001
await_log "key mask 0x019C0000 ok"
actual=$(log_lines)
[ "$(echo "$actual" | head -n 1)" = "0x222414 enable 0x00000001 ok" ] || fail "arrival began with: $actual"
echo "$actual" | grep -q "open\|register" && fail "the arrival opened the driver again"
sim status
grep -q "notices sent 1 to 1 windows" "$out" || fail "the arrival notice did not reach the program"

# Events are fetched, one per release.
sim log --clear
sim queue 0x08 0x00 || fail "the program's semaphore did not take the events"
await_log "get event ok x2"

# Exit from the tray menu: masks cleared, unregistered, closed.
sim log --clear
sim post "$title" 0x111 2 || fail "the program's window was not found"
await 30 "the program did not end" program_ended
program_pid=
expected="0x22240C mouse mask 0x00000000 ok
0x222410 key mask 0x00000000 ok
0x222404 unregister ok
close"
actual=$(log_lines)
[ "$actual" = "$expected" ] || fail "shutdown order was:
$actual"
sim status
grep -q "handles open 0" "$out" || fail "a driver handle was left open"
grep -q "HID handles open 0" "$out" || fail "the receiver handle was left open"

finish
echo "program device link: ok"
