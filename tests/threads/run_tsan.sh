#!/usr/bin/env bash
# Builds the library and the concurrent-call test with ThreadSanitizer (its
# own build folder, g++) and runs the test: several threads calling dlv_cal
# on their own blocks, some with the changed-pressure flag, with quick calls
# in between. Any race report fails the run.
# Usage: tests/threads/run_tsan.sh
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=$root/build/tsan
export CCACHE_BASEDIR=${CCACHE_BASEDIR:-/work}
launcher=()
command -v ccache >/dev/null &&
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
flags="-fsanitize=thread -fno-omit-frame-pointer"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDLV_BENCH=OFF "${launcher[@]}" \
  -DCMAKE_C_FLAGS="$flags" -DCMAKE_CXX_FLAGS="$flags" \
  -DCMAKE_EXE_LINKER_FLAGS=-fsanitize=thread -DCMAKE_SHARED_LINKER_FLAGS=-fsanitize=thread \
  >/dev/null
cmake --build "$build" -j2 --target test_threads
# halt_on_error: the first race fails the test program.
TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1" "$build/test_threads"
echo "threads under ThreadSanitizer: ok"
