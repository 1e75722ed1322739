#!/bin/sh
# Builds everything and runs every test: the core natively, the core again
# under AddressSanitizer and UndefinedBehaviorSanitizer, the Windows program's
# tests under Wine, the simulated-hardware flavour of the program end to end
# against the device simulator, and the shipped 32-bit program, libraries and
# installer checked as files. One CTest run covers all five builds, so the
# last lines are its summary.
set -eu
cd "$(dirname "$0")"

tools/scripts/install-packages.sh

jobs=$(nproc 2>/dev/null || echo 2)
presets="native native-sanitize windows windows-sim windows-shipped"
for preset in $presets; do
  echo "== building $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build "build/$preset" -j"$jobs"
done

mkdir -p build/all
{
  echo "# Every build's tests in one run"
  for preset in $presets; do
    echo "subdirs(\"$(pwd)/build/$preset\")"
  done
} > build/all/CTestTestfile.cmake

echo "== running the tests"
ctest --test-dir build/all --output-on-failure -j"$jobs" "$@"
