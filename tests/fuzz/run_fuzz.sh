#!/usr/bin/env bash
# Builds the fuzzing targets with clang (libFuzzer, AddressSanitizer,
# UndefinedBehaviorSanitizer, LeakSanitizer) in build/fuzz, replays the seed
# corpus, then fuzzes for a bounded time. Skipped, with a message, when clang
# or libFuzzer is missing.
#
# Usage: tests/fuzz/run_fuzz.sh
#   DLV_FUZZ_SECONDS=3600 tests/fuzz/run_fuzz.sh     a longer run (default 60 s)
#   DLV_TUBING_FUZZ_SECONDS=600 ...                  the tubing target's time (default 20 s)
# Two targets: dlv_fuzz over the exports (seeds in tests/fuzz/corpus) and
# tubing_fuzz over the tubing room, the operating point and the lift tables
# (seeds in tests/fuzz/tubing_corpus).
# New inputs collect in build/fuzz/corpus (tubing_corpus); a failing input is
# written to build/fuzz/artifacts/ and replays with: build/fuzz/TARGET <file>
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=$root/build/fuzz
seconds=${DLV_FUZZ_SECONDS:-60}
tubing_seconds=${DLV_TUBING_FUZZ_SECONDS:-20}

if ! command -v clang++ >/dev/null || ! command -v clang >/dev/null; then
  echo "fuzzing: SKIPPED (clang is not installed; tools/install_deps.sh installs it)"
  exit 0
fi
probe=$(mktemp -d)
trap 'rm -rf "$probe"' EXIT
printf 'extern "C" int LLVMFuzzerTestOneInput(const char*, unsigned long) { return 0; }\n' \
  >"$probe/probe.cpp"
if ! clang++ -fsanitize=fuzzer "$probe/probe.cpp" -o "$probe/probe" 2>/dev/null; then
  echo "fuzzing: SKIPPED (clang has no libFuzzer runtime; install libclang-rt-dev)"
  exit 0
fi

export CCACHE_BASEDIR=${CCACHE_BASEDIR:-/work}
"$root/tools/cmake_preset.sh" fuzzing >/dev/null  # clang, DLV_FUZZ: build/fuzz
cmake --build "$build" -j2 --target dlv_fuzz tubing_fuzz

mkdir -p "$build/corpus" "$build/tubing_corpus" "$build/artifacts"
# Runs the target with its output in build/fuzz/last_run.log; on a failure
# shows the end of it and fails.
target=dlv_fuzz
run() {
  if ! "$build/$target" -artifact_prefix="$build/artifacts/" "$@" >"$build/last_run.log" 2>&1; then
    tail -n 40 "$build/last_run.log"
    echo "fuzzing: FAILED (the input is in $build/artifacts/)"
    exit 1
  fi
}
echo "fuzzing: replaying the seed corpus"
run -runs=0 "$root/tests/fuzz/corpus"
grep -E '^Done|INITED' "$build/last_run.log" | tail -n 1
echo "fuzzing: ${seconds} s"
run -max_total_time="$seconds" -timeout=10 -print_final_stats=1 "$build/corpus" \
  "$root/tests/fuzz/corpus"
grep -E '^#[0-9]+ +DONE|^stat::(number_of_executed_units|average_exec_per_sec)' \
  "$build/last_run.log" || true

target=tubing_fuzz
echo "fuzzing the tubing: replaying the seed corpus"
run -runs=0 "$root/tests/fuzz/tubing_corpus"
grep -E '^Done|INITED' "$build/last_run.log" | tail -n 1
echo "fuzzing the tubing: ${tubing_seconds} s"
run -max_total_time="$tubing_seconds" -timeout=10 -print_final_stats=1 "$build/tubing_corpus" \
  "$root/tests/fuzz/tubing_corpus"
grep -E '^#[0-9]+ +DONE|^stat::(number_of_executed_units|average_exec_per_sec)' \
  "$build/last_run.log" || true
echo "fuzzing: ok"
