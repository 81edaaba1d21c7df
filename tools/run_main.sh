#!/usr/bin/env bash
# Builds the library and runs the main job: the example host program, which
# loads libDLV.so as a host does and prints the curves it computes. Builds
# only the library, the example host, the dlv command and the Python module
# (no tests, no benchmarks), runs the command on example wells and draws
# every example well's curves into build/main/plots.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install_deps.sh --main
tools/cmake_preset.sh main >/dev/null  # build/main, no tests
cmake --build build/main -j"$(nproc)" --target dlv_example_host dlv_cli _dlv
build/main/example_host
for well in vogel_oil backpressure_gas three_layer_oil; do
  build/main/cli/dlv run "examples/wells/$well.json"
done
# A picture of every example well's inflow curves, drawn by the Python package.
PYTHONPATH=build/main/python /usr/bin/python3 -m dlv plot examples/wells/*.json -o build/main/plots
# The operating point of each example well with tubing, drawn by the Python package.
for well in nodal_oil nodal_gas nodal_water_injector; do
  PYTHONPATH=build/main/python /usr/bin/python3 -m dlv nodal "examples/wells/$well.json" \
    -o "build/main/plots/${well}_operating_point.png"
done
