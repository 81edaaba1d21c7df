#!/usr/bin/env bash
# Installs the Debian packages the build and the checks need (idempotent: apt
# is not touched when everything is present). Runs as root, without sudo; when
# not root it names the missing packages and stops.
# Usage: tools/install_deps.sh [--main] [--with-windows]
#   --main          only what the main job needs (the compiler, CMake, the
#                   JSON and command-line libraries of the dlv command, Python
#                   with pybind11, numpy and matplotlib for the plots)
#   --with-windows  also the mingw-w64 cross compiler, wine and mono
set -euo pipefail
# The library, the example host and the dlv command.
packages=(cmake g++ make nlohmann-json3-dev libsimdjson-dev libfmt-dev libcli11-dev)
# The Python package and its plots (the main job draws the example wells).
packages+=(python3-dev python3-pybind11 pybind11-dev python3-numpy python3-matplotlib python3-pandas python3-pint)
# Lift tables as labelled arrays (VfpTable.to_xarray).
packages+=(python3-xarray)
# The tests, the benchmarks, the formatting check and the install checks.
test_packages=(libgtest-dev libgmock-dev googletest libbenchmark-dev clang-format clang-tidy git valgrind pkg-config file python3 python3-pytest help2man
  clang libclang-rt-dev)  # clang and its libFuzzer runtime: the fuzzing target
# OPM Flow ('flow') and its Python reader (opm.io, for /usr/bin/python3): the
# lift table run by a reservoir simulator (ctest opm_flow_lift_table).
test_packages+=(libopm-simulators-bin python3-opm-common)
# The Python package typed and installed by pip: mypy over it, and pip
# building it into a virtual environment (python/run_python_tests.sh).
test_packages+=(python3-mypy python3-pip python3-venv python3-setuptools python3-wheel)
# Dask's distributed scheduler: many wells on a cluster's executor (a local
# cluster of two workers in the Python tests).
test_packages+=(python3-distributed)
# DLV.dll and its checks under wine and mono.
windows_packages=(g++-mingw-w64-x86-64 gcc-mingw-w64-x86-64 wine64 mono-mcs mono-runtime)

main_only=0
windows=0
for arg in "$@"; do
  case $arg in
    --main) main_only=1 ;;
    --with-windows) windows=1 ;;
    *)
      echo "usage: tools/install_deps.sh [--main] [--with-windows]" >&2
      exit 2
      ;;
  esac
done
((main_only)) || packages+=("${test_packages[@]}")
((!windows)) || packages+=("${windows_packages[@]}")

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
((${#missing[@]})) || exit 0
if [[ $(id -u) -ne 0 ]]; then
  echo "tools/install_deps.sh: missing Debian packages: ${missing[*]}" >&2
  echo "Install them as root, then run the command again:" >&2
  echo "    apt-get update && apt-get install -y ${missing[*]}" >&2
  echo "(or run the command itself as root)." >&2
  exit 1
fi
echo "installing: ${missing[*]}"
apt-get update -qq
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null
