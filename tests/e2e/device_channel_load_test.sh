#!/bin/sh
# Load test of the driver event channel: the device simulator queues 100,000
# events in bursts below the semaphore's maximum, and the program's channel
# code delivers them to a window of the probe, which checks that every one
# arrives once and in order and reports the rate.
#
#   device_channel_load_test.sh BUILD_DIR [COUNT] [BURST]
set -e
build=$(cd "$1" && pwd)
count=${2:-100000}
burst=${3:-4000}
run="$(cd "$(dirname "$0")/../.." && pwd)/cmake/wine-run.sh"
probe="$build/tests/vn24g_channel_probe.exe"
simulator="$build/tests/vn24gsim.exe"

if [ ! -f "$probe" ]; then
  echo "skipped: the channel probe exists only in the simulated-hardware build"
  exit 0
fi

"$run" "$simulator" quit
"$run" "$simulator" start --receivers none
status=0
"$run" "$probe" "$count" "$burst" || status=$?
"$run" "$simulator" quit
exit $status
