#!/usr/bin/env bash
# The Windows side of the tests: builds DLV.dll, PTRAV.dll and the GoogleTest
# suites with mingw-w64 and runs them under wine through ctest, with the
# export and import tables of the DLLs; then the .NET host under mono against
# the Linux build of the library.
#
# Environment (all optional):
#   DLV_LINUX_BUILD_DIR    build directory of libDLV.so (default build/release)
#   DLV_WINDOWS_BUILD_DIR  build directory of the Windows suites (default build/windows)
#   DLV_SKIP_INSTALL=1     do not run tools/install_windows_deps.sh
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
linux_build=${DLV_LINUX_BUILD_DIR:-$root/build/release}
windows_build=${DLV_WINDOWS_BUILD_DIR:-$root/build/windows}
export CCACHE_BASEDIR=${CCACHE_BASEDIR:-/work}
failed=0

if [[ ${DLV_SKIP_INSTALL:-0} != 1 ]]; then
  "$root/tools/install_windows_deps.sh" || exit 1
fi

echo "== Windows suites under wine"
start=$SECONDS
# The windows preset (the mingw-w64 toolchain file), in the folder asked for.
if "$root/tools/cmake_preset.sh" windows -B "$windows_build" >/dev/null &&
  cmake --build "$windows_build" -j2; then
  (cd "$windows_build" && ctest -j2 --output-on-failure) || failed=1
else
  failed=1
fi
echo "Windows build and suites: $((SECONDS - start)) s"

echo "== .NET host under mono"
out=$windows_build/dotnet
rm -rf "$out" && mkdir -p "$out/run"
if [[ ! -f $linux_build/libDLV.so ]]; then
  echo "no libDLV.so in $linux_build"
  failed=1
elif mcs -nologo -main:DotNetHost -out:"$out/DotNetHost.exe" "$root/tests/abi/DotNetHost.cs" \
  "$root/examples/readme/VogelWell.cs"; then
  # An empty directory: dlv_calCSharp must write no log file there.
  (cd "$out/run" && LD_LIBRARY_PATH="$linux_build${LD_LIBRARY_PATH:+:$LD_LIBRARY_PATH}" \
    timeout 300 mono "$out/DotNetHost.exe") || failed=1
else
  failed=1
fi
exit $failed
