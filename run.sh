#!/bin/sh
# Sets everything up, builds the Windows program and starts it under Wine
# from its distribution folder, where the sample models and the English
# language file lie beside it.
set -eu
cd "$(dirname "$0")"

tools/scripts/install-packages.sh

cmake --preset windows >/dev/null
cmake --build build/windows -j"$(nproc 2>/dev/null || echo 2)" --target vn24g

echo "Starting build/windows/dist/vn24g.exe under Wine"
set +e
cmake/wine-run.sh build/windows/dist/vn24g.exe
status=$?
echo "vn24g.exe ended with exit code $status"
exit $status
