#!/usr/bin/env bash
# Builds everything and runs every test: formatting, the release build with
# warnings as errors, the AddressSanitizer + UndefinedBehaviorSanitizer build,
# and the Windows DLL under wine with the .NET host.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install_deps.sh --with-windows

jobs=$(nproc)
failed=0

echo "== formatting"
mapfile -t sources < <(git ls-files -co --exclude-standard -- '*.cpp' '*.hpp' '*.h' '*.c' | grep -v '^build')
if clang-format --dry-run --Werror "${sources[@]}"; then
  echo "formatting: ok"
else
  echo "formatting: FAILED"
  failed=1
fi

tools/check_floors.sh || failed=1

for variant in release asan; do
  echo "== build and test: $variant"
  extra=()
  [[ $variant == asan ]] && extra=(-DDLV_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug)
  cmake -S . -B "build/$variant" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${extra[@]}" >/dev/null
  cmake --build "build/$variant" -j"$jobs"
  if ! (cd "build/$variant" && ctest --output-on-failure -j"$jobs"); then
    failed=1
  fi
done

DLV_IDENTITY_LIB="$PWD/build/release/libDLV.so" tools/identity_check.sh --pinned || failed=1

echo "== Windows suites under wine and the .NET host"
DLV_SKIP_INSTALL=1 DLV_LINUX_BUILD_DIR="$PWD/build/release" tools/windows_tests.sh || failed=1

if ((failed)); then
  echo "SOME TESTS FAILED"
  exit 1
fi
echo "ALL TESTS PASSED"
