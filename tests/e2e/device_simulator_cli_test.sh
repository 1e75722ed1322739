#!/bin/sh
# The device simulator's command line: every command answers as documented
# and the state it reports follows the commands given.
#
#   device_simulator_cli_test.sh BUILD_DIR
set -e
build=$(cd "$1" && pwd)
run="$(cd "$(dirname "$0")/../.." && pwd)/cmake/wine-run.sh"
simulator="$build/tests/vn24gsim.exe"
[ -f "$simulator" ] || simulator="$build/tools/simulator/vn24gsim.exe"
out="$build/simulator-cli.out"

fail() {
  echo "FAILED: $*"
  echo "--- last output:"
  cat "$out"
  "$run" "$simulator" quit >/dev/null 2>&1 || true
  exit 1
}
sim() { "$run" "$simulator" "$@" >"$out" 2>&1; }
expect() { grep -q -- "$1" "$out" || fail "expected '$1'"; }
expect_not() { ! grep -q -- "$1" "$out" || fail "did not expect '$1'"; }

"$run" "$simulator" quit
sim start --driver off --receivers 2000,1000 --lower || fail "start"
sim status || fail "status"
expect "driver off"
expect "receivers: 2000 1000"

sim reset || fail "reset"
sim status
expect "driver on"
expect "receivers: none"

sim plug 2001 --long-path 300 || fail "plug 2001"
sim plug 3000 && fail "plug of a product outside the family was accepted"
sim unplug 1000 && fail "unplug of a receiver that is not plugged was accepted"
sim status
expect "receivers: 2001"

# Nobody has registered a semaphore: events have nowhere to go.
sim queue 8 0 && fail "queue without a registered semaphore reported success"
expect "queued 0 of 2"
sim status
expect "dropped 2"

sim driver off || fail "driver off"
sim status
expect "driver off"
sim fail 0x222408 3 || fail "fail a code"
sim fail all || fail "fail every code"
sim fail clear || fail "fail clear"
sim hold on || fail "hold on"
sim hold off || fail "hold off"

sim log || fail "log"
expect_not "open"
sim masks || fail "masks"
expect "mouse mask 0x00000000"
expect "enabled 0"

sim bogus && fail "an unknown command was accepted"
expect "usage:"

sim quit || fail "quit"
echo "device simulator command line: ok"
