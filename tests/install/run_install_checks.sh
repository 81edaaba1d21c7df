#!/usr/bin/env bash
# Checks DLV as its users get it:
#   1. installs a build into a temporary prefix, moves the prefix elsewhere
#      (the installed files must not depend on where they were put) and checks
#      the installed libraries, header, CMake package and pkg-config file;
#   2. builds and runs the outside project tests/install/consumer twice, once
#      with find_package(DLV) and once with pkg-config, each computing a curve;
#   3. builds the Debian package with cpack (no CPack warning; a maintainer
#      address that is not localhost; the documentation in /usr/share/doc/dlv
#      and the man page of dlv), installs it with dpkg -i into the
#      system when root (removed again at the end, also on failure) or unpacks
#      it into a scratch root with dpkg -x otherwise, and runs from the package
#      alone: the consumer, and `dlv run` on an example well when the package
#      holds the dlv command.
#
# Usage: tests/install/run_install_checks.sh [build-dir]   (default build/release,
# configured and built by the caller or here when missing)
# Environment: DLV_PACKAGE_SCRATCH=1 unpacks the package into a scratch root
# even when root, leaving the system untouched.
set -uo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=$(realpath -m "${1:-$root/build/release}")
consumer=$root/tests/install/consumer
tmp=$(mktemp -d "${TMPDIR:-/tmp}/dlv-install.XXXXXX")
package_installed=0

passed=0
failed=0
pass() {
  passed=$((passed + 1))
  echo "ok   $*"
}
fail() {
  failed=$((failed + 1))
  echo "FAIL $*"
}
cleanup() {
  if ((package_installed)); then
    if dpkg --purge dlv >"$tmp/dpkg-remove.txt" 2>&1; then
      echo "     package dlv removed from the system"
    else
      echo "FAIL could not remove the package dlv: $(tail -1 "$tmp/dpkg-remove.txt")"
    fi
  fi
  rm -rf "$tmp"
}
trap cleanup EXIT
# check "label" command...: runs the command, its output kept in $tmp/out.txt.
check() {
  local label=$1
  shift
  if "$@" >"$tmp/out.txt" 2>&1; then
    pass "$label"
  else
    fail "$label"
    tail -20 "$tmp/out.txt"
  fi
}

if [[ ! -f $build/CMakeCache.txt ]]; then
  cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >"$tmp/configure.txt" 2>&1 ||
    { cat "$tmp/configure.txt"; exit 1; }
fi
check "build $build" cmake --build "$build" -j2
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
echo "     version $version"

# ---- 1. install into a prefix, then move the prefix ----------------------------
check "cmake --install into a temporary prefix" cmake --install "$build" --prefix "$tmp/staged"
mv "$tmp/staged" "$tmp/prefix"
prefix=$tmp/prefix
libdir=$(dirname "$(find "$prefix" -name 'libDLV.so.*.*.*' | head -1)")
docs=(share/doc/dlv/copyright share/doc/dlv/changelog.gz share/doc/dlv/fields.md
  share/doc/dlv/result-format.md)
[[ -x $prefix/bin/dlv ]] && docs+=(share/man/man1/dlv.1.gz)
for file in include/dlv/dlv.h "${libdir#"$prefix"/}/libDLV.so.$version" \
  "${libdir#"$prefix"/}/libDLV.so" "${libdir#"$prefix"/}/libPTRAV.so.1" \
  "${libdir#"$prefix"/}/libPTRAV.so" \
  "${libdir#"$prefix"/}/cmake/DLV/DLVConfig.cmake" "${libdir#"$prefix"/}/pkgconfig/dlv.pc" \
  "${docs[@]}"; do
  if [[ -e $prefix/$file ]]; then pass "installed $file"; else fail "not installed: $file"; fi
done
# The man page is the command's help: every subcommand, named as the user calls it.
if [[ -e $prefix/share/man/man1/dlv.1.gz ]]; then
  page=$(gzip -dc "$prefix/share/man/man1/dlv.1.gz")
  for want in '.SH COMMANDS' '.SS "dlv run"' '.SS "dlv blocks"' '.SH "EXIT STATUS"' 'Usage: dlv run'; do
    grep -qF -- "$want" <<<"$page" && pass "man page has $want" || fail "man page lacks $want"
  done
  grep -qF -- "$build" <<<"$page" && fail "man page names the build folder" ||
    pass "man page names no build folder"
fi
ptrav_soname=$(readelf -d "$libdir/libPTRAV.so.1" 2>/dev/null | sed -n 's/.*(SONAME).*\[\(.*\)\]/\1/p')
[[ $ptrav_soname == libPTRAV.so.1 ]] && pass "soname $ptrav_soname" ||
  fail "libPTRAV soname [$ptrav_soname], want [libPTRAV.so.1]"
dynamic=$(readelf -d "$libdir/libDLV.so.$version" 2>/dev/null)
soname=$(sed -n 's/.*(SONAME).*\[\(.*\)\]/\1/p' <<<"$dynamic")
runpath=$(sed -n 's/.*(RUNPATH).*\[\(.*\)\]/\1/p' <<<"$dynamic")
[[ $soname == "libDLV.so.${version%%.*}" ]] && pass "soname $soname" ||
  fail "soname [$soname], want [libDLV.so.${version%%.*}]"
[[ $runpath == '$ORIGIN' ]] && pass "run path \$ORIGIN" || fail "run path [$runpath], want [\$ORIGIN]"
if grep -q "^\s*libPTRAV.so.1 => $libdir/libPTRAV.so.1" < <(ldd "$libdir/libDLV.so.$version"); then
  pass "libDLV.so finds libPTRAV.so.1 beside it"
else
  fail "libDLV.so does not find libPTRAV.so.1 beside it: $(ldd "$libdir/libDLV.so.$version" | grep PTRAV)"
fi
# Text files only: the libraries' debug information names the sources.
if grep -rqIF "$build" "$prefix"; then
  fail "installed files name the build folder: $(grep -rlIF "$build" "$prefix" | tr '\n' ' ')"
else
  pass "no installed text file names the build folder"
fi

# ---- 2. an outside project, with find_package and with pkg-config --------------
if cmake -S "$consumer" -B "$tmp/consumer-cmake" -DCMAKE_PREFIX_PATH="$prefix" \
  >"$tmp/out.txt" 2>&1 && cmake --build "$tmp/consumer-cmake" >>"$tmp/out.txt" 2>&1; then
  pass "consumer built with find_package(DLV)"
  check "consumer (find_package) computes a curve" "$tmp/consumer-cmake/consumer"
  sed -n 1p "$tmp/out.txt" | sed 's/^/     /'
else
  fail "consumer built with find_package(DLV)"
  tail -20 "$tmp/out.txt"
fi

export PKG_CONFIG_PATH=$libdir/pkgconfig
pc_version=$(pkg-config --modversion dlv 2>&1)
[[ $pc_version == "$version" ]] && pass "pkg-config dlv version $pc_version" ||
  fail "pkg-config dlv version [$pc_version], want [$version]"
# shellcheck disable=SC2046  # the flags are words
check "consumer built with pkg-config --cflags --libs dlv" \
  cc -std=c11 -Wall -Wextra -Wpedantic -Werror "$consumer/main.c" -o "$tmp/consumer-pc" \
  -DDLV_EXPECTED_VERSION="\"$pc_version\"" $(pkg-config --cflags --libs dlv) \
  -Wl,-rpath,"$(pkg-config --variable=libdir dlv)"
check "consumer (pkg-config) computes a curve" "$tmp/consumer-pc"
unset PKG_CONFIG_PATH

# ---- 3. the Debian package -------------------------------------------------------
if (cd "$build" && cpack -G DEB -B "$tmp/package") >"$tmp/out.txt" 2>&1; then
  deb=$(ls "$tmp"/package/*.deb 2>/dev/null | head -1)
fi
if [[ -n ${deb:-} ]]; then
  pass "cpack -G DEB: $(basename "$deb")"
  if grep -qi "warning" "$tmp/out.txt"; then
    fail "cpack warns: $(grep -i -A3 warning "$tmp/out.txt" | head -5)"
  else
    pass "cpack gives no warning"
  fi
else
  fail "cpack -G DEB"
  tail -20 "$tmp/out.txt"
  echo "$passed passed, $failed failed"
  exit 1
fi
contents=$(dpkg-deb -c "$deb" | awk '{print $6}')
for file in ./usr/include/dlv/dlv.h "./usr/lib/libDLV.so.$version" ./usr/lib/libPTRAV.so.1 \
  ./usr/lib/cmake/DLV/DLVConfig.cmake ./usr/lib/pkgconfig/dlv.pc "${docs[@]/#/./usr/}"; do
  grep -qx -- "$file" <<<"$contents" && pass "package holds $file" || fail "package lacks $file"
done
maintainer=$(dpkg-deb -f "$deb" Maintainer)
[[ -n $maintainer && $maintainer != *localhost* ]] && pass "package maintainer $maintainer" ||
  fail "package maintainer [$maintainer]"
[[ $(dpkg-deb -f "$deb" Version) == "$version" ]] && pass "package version $version" ||
  fail "package version [$(dpkg-deb -f "$deb" Version)], want [$version]"

# One system-wide package test at a time on this machine.
exec 9>"${TMPDIR:-/tmp}/dlv-package-test.lock"
flock 9
sysroot=""
if [[ $(id -u) -ne 0 || ${DLV_PACKAGE_SCRATCH:-0} == 1 ]]; then
  echo "     not root or DLV_PACKAGE_SCRATCH=1: unpacking the package into a scratch root with dpkg -x"
elif dpkg-query -W -f='${Status}' dlv 2>/dev/null | grep -q "install ok installed"; then
  echo "     a package dlv is already installed here: unpacking into a scratch root instead"
elif dpkg -i "$deb" >"$tmp/out.txt" 2>&1; then
  package_installed=1
  pass "dpkg -i $(basename "$deb")"
else
  fail "dpkg -i $(basename "$deb")"
  tail -20 "$tmp/out.txt"
  dpkg-query -W dlv >/dev/null 2>&1 && package_installed=1
fi
if ((!package_installed)); then
  sysroot=$tmp/root
  check "dpkg -x into a scratch root" dpkg -x "$deb" "$sysroot"
fi
usr=$sysroot/usr
mkdir -p "$tmp/run"

if ((package_installed)); then
  # From the system alone: default search paths, no run path.
  # shellcheck disable=SC2046
  check "consumer built against the installed package" \
    cc -std=c11 "$consumer/main.c" -o "$tmp/consumer-deb" \
    -DDLV_EXPECTED_VERSION="\"$version\"" $(pkg-config --cflags --libs dlv)
else
  # shellcheck disable=SC2046
  check "consumer built against the unpacked package" \
    cc -std=c11 "$consumer/main.c" -o "$tmp/consumer-deb" \
    -DDLV_EXPECTED_VERSION="\"$version\"" \
    $(PKG_CONFIG_PATH=$usr/lib/pkgconfig pkg-config --cflags --libs dlv) -Wl,-rpath,"$usr/lib"
fi
check "consumer runs on the package's library" "$tmp/consumer-deb"
loaded=$(ldd "$tmp/consumer-deb" | sed -n 's/.*libDLV.so[^ ]* => \([^ ]*\).*/\1/p')
[[ -n $loaded && $(realpath "$loaded") == $(realpath "$usr/lib/libDLV.so.$version") ]] &&
  pass "the consumer loads the package's libDLV.so" ||
  fail "the consumer loads another libDLV.so: $(ldd "$tmp/consumer-deb" | grep DLV)"

if [[ -x $usr/bin/dlv ]]; then
  well=$(ls "$usr"/share/dlv/examples/wells/*.json 2>/dev/null | head -1)
  if [[ -z $well ]]; then
    fail "the package holds dlv but no example well"
  elif (cd "$tmp/run" && "$usr/bin/dlv" run "$well") >"$tmp/out.txt" 2>&1 && [[ -s $tmp/out.txt ]]; then
    pass "dlv run $(basename "$well") from the package"
    head -5 "$tmp/out.txt" | sed 's/^/     /'
  else
    fail "dlv run $(basename "$well") from the package"
    tail -20 "$tmp/out.txt"
  fi
else
  echo "skip dlv run: the package holds no dlv command"
fi

echo "$passed passed, $failed failed"
((failed == 0))
