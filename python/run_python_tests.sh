#!/usr/bin/env bash
# Checks the Python package against a build tree: mypy over the package, the
# package built, installed, used and removed by pip in a virtual environment,
# then the pytest suite.
# Usage: python/run_python_tests.sh [BUILD_DIR]   (default build/release)
# Uses Debian's interpreter, which carries numpy, matplotlib, pandas, pytest
# and mypy. DLV_SKIP_PIP=1 leaves out the pip install (a full CMake build of
# the module in BUILD_DIR/python-package; incremental after the first run).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=$(realpath "${1:-build/release}")
python=${DLV_PYTHON:-/usr/bin/python3}
if [[ ! -d "$build/python/dlv" ]]; then
  echo "python: $build/python/dlv not built" >&2
  exit 1
fi
failed=0

echo "== python: mypy"
if "$python" -m mypy --version >/dev/null 2>&1; then
  (cd python && "$python" -m mypy --config-file pyproject.toml --cache-dir "$build/mypy_cache" dlv) ||
    failed=1
else
  echo "python: mypy SKIPPED (not installed; apt-get install python3-mypy)"
fi

# pip builds the package from the source tree into a fresh virtual environment
# (which sees Debian's numpy), a well is computed with the installed package
# outside the source tree, and pip removes it again.
# pip_check DIR: the virtual environment in DIR.
pip_check() {
  local venv=$1
  if ! "$python" -m venv --system-site-packages "$venv/env" >"$venv/venv.log" 2>&1 ||
    ! "$venv/env/bin/python" -m pip --version >/dev/null 2>&1; then
    echo "python: pip install SKIPPED (no venv or pip; apt-get install python3-venv python3-pip)"
    return 0
  fi
  # The package under test, not one on the caller's PYTHONPATH.
  local py=(env -u PYTHONPATH "$venv/env/bin/python")
  local pip=("${py[@]}" -m pip --disable-pip-version-check --no-input)
  if ! DLV_PIP_BUILD_DIR="$build/python-package" DLV_BUILD_JOBS="${DLV_JOBS:-2}" \
    "${pip[@]}" install --no-build-isolation --no-index "$root/python" >"$venv/pip.log" 2>&1; then
    tail -n 30 "$venv/pip.log"
    echo "python: pip install FAILED"
    return 1
  fi
  local version
  version=$("${pip[@]}" show dlv | sed -n 's/^Version: //p')
  (cd "$venv" && "${py[@]}" -c '
import sys, dlv
assert dlv.__file__.startswith(sys.argv[1]), dlv.__file__
assert dlv.__version__ == sys.argv[3], (dlv.__version__, sys.argv[3])
r = dlv.calculate(sys.argv[2])
print(f"installed dlv {dlv.__version__}: {r}")
' "$venv/env" "$root/examples/wells/vogel_oil.json" "$version") || return 1
  "${pip[@]}" uninstall -y dlv >/dev/null || return 1
  if (cd "$venv" && "${py[@]}" -c 'import dlv' 2>/dev/null); then
    echo "python: dlv still importable after pip uninstall"
    return 1
  fi
  echo "python: pip install, show, use and uninstall: ok"
}
if [[ ${DLV_SKIP_PIP:-0} != 1 ]]; then
  echo "== python: pip install into a virtual environment"
  venv=$(mktemp -d)
  pip_check "$venv" || failed=1
  rm -rf "$venv"
fi

echo "== python: pytest"
if [[ -z "${DLV_COMMAND:-}" && -x "$build/cli/dlv" ]]; then
  export DLV_COMMAND="$build/cli/dlv"
fi
export PYTHONPATH="$build/python${PYTHONPATH:+:$PYTHONPATH}"
export PYTHONDONTWRITEBYTECODE=1 MPLBACKEND=Agg
"$python" -m pytest -q -p no:cacheprovider python/tests || failed=1
exit $failed
