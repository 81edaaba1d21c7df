#!/usr/bin/env bash
# Prints, for each tubing traverse of bench/tubing_cases.hpp, the instructions
# per traverse that valgrind's callgrind counts (a run of 1 + N traverses less
# a run of 1, divided by N), the steps and fluid evaluations of one traverse,
# and the instructions per step and the fluid evaluations per step.
#   bench/tubing_instructions.sh [BUILD_DIR]      (default build/release)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
calls=${DLV_COUNT_CALLS:-10}
export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$(dirname "$PWD")}
cmake --build "$build" --target dlv_tubing_calls -j"${DLV_JOBS:-2}" >/dev/null
command -v valgrind >/dev/null || { echo "valgrind is missing (tools/install_deps.sh)"; exit 1; }

instructions() {
  valgrind --tool=callgrind --callgrind-out-file=/dev/null "$build/dlv_tubing_calls" "$@" \
    2>&1 >/dev/null | sed -n 's/.*Collected : \([0-9]*\).*/\1/p'
}

printf '%-32s %12s %6s %8s %14s %16s\n' traverse instructions steps fluid "instr/step" "fluid/step"
for well in oil gas; do
  if [[ $well == oil ]]; then
    models="no_slip hagedorn_brown hagedorn_brown_original beggs_brill poettmann_carpenter"
  else
    models="no_slip beggs_brill gray average_temperature_z cullender_smith"
  fi
  for model in $models; do
    read -r steps fluid _ < <("$build/dlv_tubing_calls" "$well" "$model" 1)
    one=$(instructions "$well" "$model" 1)
    many=$(instructions "$well" "$model" $((calls + 1)))
    per=$(((many - one) / calls))
    printf '%-32s %12d %6d %8d %14d %16.2f\n' "$well/$model" "$per" "$steps" "$fluid" \
      $((per / steps)) "$(echo "$fluid / $steps" | bc -l)"
  done
done
