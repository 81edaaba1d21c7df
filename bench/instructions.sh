#!/usr/bin/env bash
# Prints, for each benchmark well, the Google Benchmark time per call next to
# the instructions per call that valgrind's callgrind counts. The count is the
# difference between a run of 1 + N calls and a run of 1 call, divided by N,
# so the first (warm-up) call and the process start are left out.
#   bench/instructions.sh [BUILD_DIR]      (default build/release)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
calls=${DLV_COUNT_CALLS:-10}
export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$(dirname "$PWD")}
if [[ ! -f $build/CMakeCache.txt ]]; then
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$build" --target dlv_bench dlv_bench_calls -j"${DLV_JOBS:-2}" >/dev/null
command -v valgrind >/dev/null || { echo "valgrind is missing (tools/install_deps.sh)"; exit 1; }

# instructions WELL N: every instruction of a process that makes N calls.
instructions() {
  valgrind --tool=callgrind --callgrind-out-file=/dev/null "$build/dlv_bench_calls" "$1" "$2" \
    2>&1 >/dev/null | sed -n 's/.*Collected : \([0-9]*\).*/\1/p'
}

wells=$(grep -o '{"BM_[A-Za-z0-9]*"' bench/bench_wells.hpp | tr -d '{"' | paste -sd'|')
times=$("$build/dlv_bench" --benchmark_filter="^($wells)\$" --benchmark_format=csv 2>/dev/null |
  grep '^"BM_')
printf '%-40s %14s %20s\n' "benchmark well" "time per call" "instructions per call"
while IFS= read -r line; do
  name=$(echo "$line" | cut -d, -f1 | tr -d '"')
  ns=$(echo "$line" | cut -d, -f3)
  unit=$(echo "$line" | cut -d, -f5)
  one=$(instructions "$name" 1)
  many=$(instructions "$name" $((calls + 1)))
  per_call=$(((many - one) / calls))
  printf '%-40s %11.0f %s %20d\n' "$name" "$ns" "$unit" "$per_call"
done <<<"$times"
