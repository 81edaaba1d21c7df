#!/usr/bin/env bash
# Builds the library and the concurrent-call test with ThreadSanitizer (its
# own build folder, g++; the preset tsan) and runs the test: several threads calling dlv_cal
# on their own blocks, some with the changed-pressure flag, with quick calls
# in between. Any race report fails the run.
# Usage: tests/threads/run_tsan.sh
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=$root/build/tsan
export CCACHE_BASEDIR=${CCACHE_BASEDIR:-/work}
"$root/tools/cmake_preset.sh" tsan >/dev/null  # the tsan preset: build/tsan
cmake --build "$build" -j2 --target test_threads
# halt_on_error: the first race fails the test program.
TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1" "$build/test_threads"
echo "threads under ThreadSanitizer: ok"
