#!/bin/sh
# Builds the benchmarks natively (optimised) and runs them. Extra arguments go
# to Google Benchmark, e.g. ./bench.sh --benchmark_filter=Xml
set -eu
cd "$(dirname "$0")"

tools/scripts/install-packages.sh

cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/bench -j"$(nproc 2>/dev/null || echo 2)" --target vn24g_bench
build/bench/tests/vn24g_bench "$@"
