#!/usr/bin/env bash
# Builds the library and runs the main job: the example host program, which
# loads libDLV.so as a host does and prints the curves it computes.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install_deps.sh
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/release -j"$(nproc)"
build/release/example_host
for well in vogel_oil backpressure_gas three_layer_oil; do build/release/cli/dlv run "examples/wells/$well.json"; done
PYTHONPATH=build/release/python /usr/bin/python3 -m dlv plot examples/wells/*.json -o build/release/plots
