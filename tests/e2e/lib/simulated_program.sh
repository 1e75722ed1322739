# Shared by the end-to-end scripts that run the simulated-hardware program
# against the device simulator. Set e2e_build to the build folder and
# e2e_name to a name for the run's own copy of the installation, then source
# it:
#
#   e2e_build=$1 e2e_name=e2e-something
#   . "$(dirname "$0")/lib/simulated_program.sh"
#
# It skips the script in other builds, copies the distribution folder to
# $home inside the build tree (the Wine prefix, and with it the simulator's
# pipe, belongs to the build) and defines sim, await_log, log_lines, finish
# and fail. A script that needs more cleaning up redefines finish.

build=$(cd "$e2e_build" && pwd)
run="$(cd "$(dirname "$0")/../.." && pwd)/cmake/wine-run.sh"
if [ ! -f "$build/dist/vn24g.exe" ] || ! grep -q '^VN24G_SIMULATED_HARDWARE:BOOL=ON' "$build/CMakeCache.txt"; then
  echo "skipped: needs the program of the simulated-hardware build"
  exit 0
fi

home="$build/$e2e_name"
rm -rf "$home"
cp -r "$build/dist" "$home"
simulator="$home/vn24gsim.exe"
out="$home/simulator.out"
title="Varnok 2.4G Wireless Configuration"
program_pid=

# Runs a simulator command; its output is left in $out.
sim() { "$run" "$simulator" "$@" >"$out" 2>&1; }
finish() {
  [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null
  "$run" "$simulator" quit >/dev/null 2>&1 || true
}
fail() {
  echo "FAILED: $*"
  "$run" "$simulator" log
  finish
  exit 1
}
. "$(dirname "$run")/await.sh"
log_shows() { sim log && grep -q -- "$1" "$out"; }
program_ended() { ! kill -0 "$program_pid" 2>/dev/null; }
# Waits up to 60 s for the simulator's log to show a line matching $1.
await_log() { await 60 "the log never showed '$1'" log_shows "$1"; }
# The log, without its repeat counts, as one line per entry.
log_lines() { sim log && tr -d '\r' <"$out" | sed 's/ x[0-9]*$//'; }
