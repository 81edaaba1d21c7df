#!/usr/bin/env bash
# Runs the pytest suite of the Python package against a build tree.
# Usage: python/run_python_tests.sh [BUILD_DIR]   (default build/release)
# Uses Debian's interpreter, which carries numpy, matplotlib, pandas and pytest.
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build/release}")
python=${DLV_PYTHON:-/usr/bin/python3}
if [[ ! -d "$build/python/dlv" ]]; then
  echo "python: $build/python/dlv not built" >&2
  exit 1
fi
if [[ -z "${DLV_COMMAND:-}" && -x "$build/cli/dlv" ]]; then
  export DLV_COMMAND="$build/cli/dlv"
fi
export PYTHONPATH="$build/python${PYTHONPATH:+:$PYTHONPATH}"
export PYTHONDONTWRITEBYTECODE=1 MPLBACKEND=Agg
exec "$python" -m pytest -q -p no:cacheprovider python/tests
