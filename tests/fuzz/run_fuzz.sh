#!/usr/bin/env bash
# Builds the fuzzing targets with clang (libFuzzer, AddressSanitizer,
# UndefinedBehaviorSanitizer, LeakSanitizer) in build/fuzz, replays the seed
# corpus, then fuzzes for a bounded time. Skipped, with a message, when clang
# or libFuzzer is missing.
#
# Usage: tests/fuzz/run_fuzz.sh
#   DLV_FUZZ_SECONDS=3600 tests/fuzz/run_fuzz.sh     a longer run (default 60 s)
#   DLV_TUBING_FUZZ_SECONDS=600 ...                  the tubing target's time (default 20 s)
#   DLV_WELLFILE_FUZZ_SECONDS=600 ...                the well-file target's time (default 30 s)
# Three targets: dlv_fuzz over the exports (seeds in tests/fuzz/corpus),
# tubing_fuzz over the tubing room, the operating point and the lift tables
# (seeds in tests/fuzz/tubing_corpus), and wellfile_fuzz over the well files'
# JSON text (seeds: examples/wells; dictionary: tests/fuzz/wellfile.dict).
# New inputs collect in build/fuzz/<target>_corpus; a failing input is
# written to build/fuzz/artifacts/ and replays with: build/fuzz/TARGET <file>
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=$root/build/fuzz
seconds=${DLV_FUZZ_SECONDS:-60}
tubing_seconds=${DLV_TUBING_FUZZ_SECONDS:-20}
wellfile_seconds=${DLV_WELLFILE_FUZZ_SECONDS:-30}

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
cmake --build "$build" -j2 --target dlv_fuzz tubing_fuzz wellfile_fuzz

mkdir -p "$build/artifacts"
# Runs a target with its output in build/fuzz/last_run.log; on a failure
# shows the end of it and fails.
run() {
  if ! "$build/tests/fuzz/$target" -artifact_prefix="$build/artifacts/" "$@" >"$build/last_run.log" 2>&1; then
    tail -n 40 "$build/last_run.log"
    echo "fuzzing: FAILED (the input is in $build/artifacts/)"
    exit 1
  fi
}
# fuzz TARGET SECONDS SEEDS [OPTION...]: replays the seeds, then fuzzes.
fuzz() {
  target=$1
  local seconds=$2 seeds=$3 corpus=$build/${1}_corpus
  shift 3
  mkdir -p "$corpus"
  echo "$target: replaying the seeds"
  run -runs=0 "$@" "$seeds"
  grep -E '^Done|INITED' "$build/last_run.log" | tail -n 1
  echo "$target: fuzzing ${seconds} s"
  run -max_total_time="$seconds" -timeout=10 -print_final_stats=1 "$@" "$corpus" "$seeds"
  grep -E '^#[0-9]+ +DONE|^stat::(number_of_executed_units|average_exec_per_sec)' \
    "$build/last_run.log" || true
}
fuzz dlv_fuzz "$seconds" "$root/tests/fuzz/corpus"
fuzz tubing_fuzz "$tubing_seconds" "$root/tests/fuzz/tubing_corpus"
fuzz wellfile_fuzz "$wellfile_seconds" "$root/examples/wells" \
  -dict="$root/tests/fuzz/wellfile.dict"
echo "fuzzing: ok"
