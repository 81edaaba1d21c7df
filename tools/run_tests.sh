#!/usr/bin/env bash
# Builds everything and runs every test: formatting, the release build with
# warnings as errors, the AddressSanitizer + UndefinedBehaviorSanitizer build,
# then one step per further check (each its own script, one line below).
# Works from a git checkout or from an unpacked source tarball.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install_deps.sh --with-windows

jobs=$(nproc)
failed=0
# step "title" command...: runs one check; a failure is counted and the
# following steps still run.
step() {
  echo "== $1"
  shift
  "$@" || failed=1
}

echo "== formatting"
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  mapfile -t sources < <(git ls-files -co --exclude-standard -- '*.cpp' '*.hpp' '*.h' '*.c' | grep -v '^build')
else
  mapfile -t sources < <(find . \( -path './build*' -o -path ./.git \) -prune -o -type f \
    \( -name '*.cpp' -o -name '*.hpp' -o -name '*.h' -o -name '*.c' \) -print | sed 's|^\./||' | sort)
fi
if clang-format --dry-run --Werror "${sources[@]}"; then
  echo "formatting: ok (${#sources[@]} files)"
else
  echo "formatting: FAILED"
  failed=1
fi

step "include floors" tools/check_floors.sh
step "test lines no more than a third of the code" \
  /usr/bin/python3 tools/count_test_lines.py

# The presets release and asan (CMakePresets.json) build into build/<preset>.
for variant in release asan; do
  echo "== build and test: $variant"
  tools/cmake_preset.sh "$variant" >/dev/null
  cmake --build "build/$variant" -j"$jobs"
  if ! (cd "build/$variant" && ctest --output-on-failure -j"$jobs"); then
    failed=1
  fi
done

step "cognitive complexity at most 25" tools/check_complexity.sh build/release
step "results identical to the recorded build" env DLV_IDENTITY_LIB="$PWD/build/release/libDLV.so" tools/identity_check.sh --pinned
step "Python package" python/run_python_tests.sh build/release
step "threads under ThreadSanitizer" tests/threads/run_tsan.sh
step "fuzzing" tests/fuzz/run_fuzz.sh
step "install, CMake package, pkg-config, Debian package" bash tests/install/run_install_checks.sh build/release

step "Windows suites under wine and the .NET host" env DLV_SKIP_INSTALL=1 DLV_LINUX_BUILD_DIR="$PWD/build/release" tools/windows_tests.sh
step "README examples" tools/check_readme.sh build/release build/windows

if ((failed)); then
  echo "SOME TESTS FAILED"
  exit 1
fi
echo "ALL TESTS PASSED"
