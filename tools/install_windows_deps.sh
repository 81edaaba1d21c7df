#!/usr/bin/env bash
# Installs what the Windows build and its checks need on Debian 12: the
# mingw-w64 cross compiler, wine (64-bit) to run DLV.dll and the Windows
# suites, the GoogleTest sources they are built from, and mono to run the .NET
# host. Idempotent: apt is not touched when everything is present. Runs as root,
# without sudo; when not root it names the missing packages and stops.
set -euo pipefail
packages=(g++-mingw-w64-x86-64 wine64 mono-mcs mono-runtime googletest)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]} == 0)); then
  exit 0
fi
if [[ $(id -u) -ne 0 ]]; then
  echo "tools/install_windows_deps.sh: missing Debian packages: ${missing[*]}" >&2
  echo "Install them as root, then run the command again:" >&2
  echo "    apt-get update && apt-get install -y ${missing[*]}" >&2
  exit 1
fi
apt-get update
DEBIAN_FRONTEND=noninteractive apt-get install -y "${missing[@]}"
