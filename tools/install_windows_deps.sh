#!/usr/bin/env bash
# Installs what the Windows build and its checks need on Debian 12: the
# mingw-w64 cross compiler, wine (64-bit) to run DLV.dll and the Windows
# suites, the GoogleTest sources they are built from, and mono to run the .NET
# host. Idempotent: apt is not touched when everything is present.
set -euo pipefail
packages=(g++-mingw-w64-x86-64 wine64 mono-mcs mono-runtime googletest)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]} == 0)); then
  exit 0
fi
SUDO=""
if [[ $(id -u) -ne 0 ]]; then SUDO="sudo"; fi
$SUDO apt-get update
$SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y "${missing[@]}"
