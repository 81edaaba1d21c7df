#!/usr/bin/env bash
# Builds the library and runs the main job: the example host program, which
# loads libDLV.so as a host does and prints the curves it computes. Builds
# only the library and the example host (no tests, no benchmarks).
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install_deps.sh --main
launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S . -B build/main -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDLV_TESTS=OFF -DDLV_BENCH=OFF \
  "${launcher[@]}" >/dev/null
cmake --build build/main -j"$(nproc)" --target dlv_example_host
build/main/example_host
