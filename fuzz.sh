#!/bin/sh
# Fuzzes the readers of outside data.
#
#   ./fuzz.sh [seconds] [target]
#
# Builds every libFuzzer target tests/fuzz/<name>_fuzz.cpp with clang,
# AddressSanitizer and UndefinedBehaviorSanitizer into build/fuzz, then runs
# each one (or only <name>) for the given time (default 60 seconds) starting
# from its seed corpus tests/fuzz/corpus/<name>/. Inputs that reach new code
# are merged back into that folder, so the normal test run replays them.
# A crash, sanitizer report or timeout stops the script with the failing
# input saved under build/fuzz/artifacts/.
set -eu

seconds=${1:-60}
only=${2:-}
root=$(cd "$(dirname "$0")" && pwd)
build="$root/build/fuzz"
jobs=${FUZZ_BUILD_JOBS:-2}

case "$seconds" in
  ''|*[!0-9]*) echo "usage: $0 [seconds] [target]" >&2; exit 2 ;;
esac

# clang and its libFuzzer runtime.
can_fuzz() {
  probe_dir=$(mktemp -d)
  printf 'extern "C" int LLVMFuzzerTestOneInput(const unsigned char*, unsigned long) { return 0; }\n' > "$probe_dir/probe.cpp"
  clang++ -fsanitize=fuzzer,address,undefined "$probe_dir/probe.cpp" -o "$probe_dir/probe" >/dev/null 2>&1
  status=$?
  rm -rf "$probe_dir"
  return $status
}
if ! command -v clang++ >/dev/null 2>&1 || ! can_fuzz; then
  echo "Installing clang and the libFuzzer runtime" >&2
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq clang libclang-rt-dev cmake ninja-build libgtest-dev libgmock-dev >/dev/null
  can_fuzz || { echo "clang cannot build fuzz targets" >&2; exit 1; }
fi

# The core and platform libraries, instrumented for the fuzzer and the
# sanitizers.
cmake -S "$root" -B "$build" -G Ninja \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_CXX_FLAGS=-fsanitize=fuzzer-no-link \
  -DVN24G_SANITIZE=ON -DVN24G_BENCHMARKS=OFF >/dev/null
cmake --build "$build" --target vn24g_core vn24g_platform -j "$jobs" >/dev/null

flags="-std=c++17 -g -O1 -fno-omit-frame-pointer -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined"
mkdir -p "$build/bin" "$build/artifacts"

found=0
for source in "$root"/tests/fuzz/*_fuzz.cpp; do
  [ -e "$source" ] || continue
  name=$(basename "$source" _fuzz.cpp)
  if [ -n "$only" ] && [ "$only" != "$name" ]; then continue; fi
  found=1
  binary="$build/bin/${name}_fuzz"
  echo "== building $name" >&2
  # shellcheck disable=SC2086
  clang++ $flags -I"$root" -I"$root/tests" "$source" "$build/libvn24g_core.a" "$build/libvn24g_platform.a" -pthread -o "$binary"

  seeds="$root/tests/fuzz/corpus/$name"
  work="$build/corpus/$name"
  mkdir -p "$seeds" "$work"
  echo "== fuzzing $name for ${seconds}s" >&2
  "$binary" "$work" "$seeds" \
    -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -artifact_prefix="$build/artifacts/${name}-" -print_final_stats=1
  # Keep the inputs that reach code the seeds do not.
  "$binary" -merge=1 "$seeds" "$work" >/dev/null 2>&1
done

if [ "$found" = 0 ]; then
  echo "no fuzz target named '$only' in tests/fuzz" >&2
  exit 2
fi
