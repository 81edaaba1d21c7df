#!/usr/bin/env bash
# Configures a build from a preset of CMakePresets.json, with ccache as the
# compiler launcher when it is installed. Extra arguments go to cmake (for
# example -B DIR for another build folder, or -S DIR for another source tree
# with presets of its own).
# Usage: tools/cmake_preset.sh PRESET [cmake arguments...]
#   e.g. tools/cmake_preset.sh release && cmake --build build/release -j2
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
if (($# < 1)); then
  sed -n '2,8p' "$0" >&2
  exit 2
fi
preset=$1
shift
launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
source_args=(-S "$root")
for arg in "$@"; do
  [[ $arg == -S* ]] && source_args=()
done
exec cmake "${source_args[@]}" --preset "$preset" "${launcher[@]}" "$@"
