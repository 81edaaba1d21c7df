#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need (idempotent).
# Usage: tools/install_deps.sh [--with-windows]
set -euo pipefail
packages=(cmake g++ make libgtest-dev libgmock-dev googletest libbenchmark-dev clang-format
  nlohmann-json3-dev libcli11-dev python3)
packages+=(python3-dev python3-pybind11 pybind11-dev python3-numpy python3-matplotlib python3-pandas python3-pytest)
if [[ "${1:-}" == "--with-windows" ]]; then
  packages+=(g++-mingw-w64-x86-64 gcc-mingw-w64-x86-64 wine64 mono-mcs mono-runtime)
fi
missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if ((${#missing[@]})); then
  SUDO=""
  [[ $(id -u) -ne 0 ]] && SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}" >/dev/null
fi
