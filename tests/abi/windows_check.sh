#!/usr/bin/env bash
# Checks the library at its binary interface, on Linux and on Windows:
#   1. builds libDLV.so (native) and DLV.dll + PTRAV.dll (mingw-w64);
#   2. checks the export table of DLV.dll (exactly the eleven entry points,
#      undecorated) and its import table (Windows system DLLs, and PTRAV.dll
#      by ordinals 1, 6, 15, 16 only);
#   3. runs tests/abi/host.c built natively against libDLV.so and built with
#      mingw against DLV.dll under wine, one process on each side running
#      every case;
#   4. compares the numbers of the two runs (1e-12 relative) and their log
#      files byte for byte;
#   5. runs the .NET host (mono) against libDLV.so and compares its results
#      with those of the C host.
# A missing tool (compiler, wine, mono) is a failure, never a skip.
#
# Usage: tests/abi/windows_check.sh
# Environment (all optional):
#   DLV_LINUX_BUILD_DIR    build directory of libDLV.so (default build/abi-linux;
#                          an existing configured build such as build/release
#                          is reused as it is)
#   DLV_WINDOWS_BUILD_DIR  build directory of DLV.dll (default build/windows)
#   DLV_ABI_OUT            scratch directory of the runs (default build/abi-check)
#   WINEPREFIX             wine prefix (default build/wineprefix, created on
#                          the first run)
#   DLV_SKIP_INSTALL=1     do not run tools/install_windows_deps.sh
set -uo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
linux_build=${DLV_LINUX_BUILD_DIR:-$root/build/abi-linux}
windows_build=${DLV_WINDOWS_BUILD_DIR:-$root/build/windows}
out=${DLV_ABI_OUT:-$root/build/abi-check}
export WINEPREFIX=${WINEPREFIX:-$root/build/wineprefix}
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="  # no Mono/Gecko installers in the prefix
jobs=2

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
finish() {
  echo "$passed passed, $failed failed"
  ((failed == 0))
  exit $?
}
# Counts the check lines of a host's output; prints the failing ones.
count_checks() {
  local label=$1 file=$2 ok bad
  ok=$(grep -c '^check [^ ]* ok' "$file")
  bad=$(grep -c '^check [^ ]* FAIL' "$file")
  passed=$((passed + ok))
  failed=$((failed + bad))
  echo "     $label: $ok checks passed, $bad failed"
  grep '^check [^ ]* FAIL' "$file" | sed "s/^check \([^ ]*\) FAIL/FAIL $label: \1:/"
}

if [[ ${DLV_SKIP_INSTALL:-0} != 1 ]]; then
  "$root/tools/install_windows_deps.sh" || fail "tools/install_windows_deps.sh"
fi

mingw_cc=$(command -v x86_64-w64-mingw32-gcc-win32 || command -v x86_64-w64-mingw32-gcc || true)
objdump=$(command -v x86_64-w64-mingw32-objdump || true)
wine=""
for candidate in /usr/lib/wine/wine64 "$(command -v wine64 || true)" "$(command -v wine || true)"; do
  if [[ -n $candidate && -x $candidate ]]; then
    wine=$candidate
    break
  fi
done
# Missing tools are failures; present ones are not counted.
for tool in mingw_cc objdump wine; do
  [[ -n ${!tool} ]] || fail "tool $tool not found"
done
for tool in mcs mono cc; do
  command -v "$tool" >/dev/null || fail "tool $tool not found"
done
echo "     wine: ${wine:-none}, mingw: ${mingw_cc:-none}"

rm -rf "$out"
mkdir -p "$out/linux" "$out/windows" "$out/dotnet" "$out/bin"

# ---- 1. builds ---------------------------------------------------------------
if [[ ! -f $linux_build/CMakeCache.txt ]]; then
  cmake -S "$root" -B "$linux_build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDLV_TESTS=OFF \
    -DDLV_BENCH=OFF >"$out/linux_configure.txt" 2>&1
fi
if cmake --build "$linux_build" --target DLV -j"$jobs" >"$out/linux_build.txt" 2>&1 &&
  [[ -f $linux_build/libDLV.so ]]; then
  pass "build libDLV.so"
else
  fail "build libDLV.so (see $out/linux_build.txt)"
  tail -20 "$out/linux_build.txt"
fi

if [[ -n $mingw_cc ]]; then
  if [[ ! -f $windows_build/CMakeCache.txt ]]; then
    cmake -S "$root" -B "$windows_build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
      -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDLV_TESTS=OFF -DDLV_BENCH=OFF \
      >"$out/windows_configure.txt" 2>&1
  fi
  if cmake --build "$windows_build" --target DLV -j"$jobs" >"$out/windows_build.txt" 2>&1 &&
    [[ -f $windows_build/DLV.dll && -f $windows_build/ptrav/PTRAV.dll ]]; then
    pass "build DLV.dll and PTRAV.dll"
  else
    fail "build DLV.dll and PTRAV.dll (see $out/windows_build.txt)"
    tail -20 "$out/windows_build.txt"
  fi
fi

cflags=(-std=c11 -O2 -Wall -Wextra -Wpedantic -Werror -I"$root/include")
if cc "${cflags[@]}" "$root/tests/abi/host.c" -o "$out/bin/host" -ldl -lm &&
  cc "${cflags[@]}" "$root/tests/abi/compare_results.c" -o "$out/bin/compare_results" -lm; then
  pass "build the Linux host"
else
  fail "build the Linux host"
fi
if [[ -n $mingw_cc ]] && "$mingw_cc" "${cflags[@]}" "$root/tests/abi/host.c" -o "$out/windows/host.exe"; then
  pass "build the Windows host"
else
  fail "build the Windows host"
fi

# ---- 2. export and import tables ----------------------------------------------
expected_exports="CenterWord dlvCalcPI dlvCalcVogel dlvGetResultRate_PrsArrays dlv_cal dlv_calCSharp interpol liqvis lsort2col test64bitdlv zfachy"
system_dlls="kernel32.dll msvcrt.dll ucrtbase.dll ntdll.dll advapi32.dll user32.dll"
if [[ -n $objdump && -f $windows_build/DLV.dll ]]; then
  "$objdump" -p "$windows_build/DLV.dll" >"$out/DLV.dll.txt"
  exports=$(awk '/\[Ordinal\/Name Pointer\] Table/ {f = 1; next} f && NF == 0 {f = 0} f {print $NF}' \
    "$out/DLV.dll.txt" | LC_ALL=C sort | tr '\n' ' ' | sed 's/ $//')
  if [[ $exports == "$expected_exports" ]]; then
    pass "DLV.dll exports exactly the eleven entry points"
  else
    fail "DLV.dll exports: want [$expected_exports], have [$exports]"
  fi
  # Import table: DLL name, then "ordinal:N" or "name:X" per member.
  awk '/DLL Name:/ {dll = $3; print "dll " dll; next}
       /Hint\/Ord Member-Name/ {next}
       dll != "" && NF == 0 {dll = ""}
       dll != "" && NF >= 3 {print (($3 == "<none>") ? "ordinal " dll " " $2 : "name " dll " " $3)}' \
    "$out/DLV.dll.txt" >"$out/DLV.imports.txt"
  bad_dlls=""
  while read -r dll; do
    lower=$(tr 'A-Z' 'a-z' <<<"$dll")
    [[ $lower == ptrav.dll || $lower == api-ms-win-* || " $system_dlls " == *" $lower "* ]] ||
      bad_dlls+=" $dll"
  done < <(awk '$1 == "dll" {print $2}' "$out/DLV.imports.txt")
  if [[ -z $bad_dlls ]]; then
    pass "DLV.dll imports only Windows system DLLs and PTRAV.dll"
  else
    fail "DLV.dll imports non-system DLLs:$bad_dlls"
  fi
  ptrav_names=$(awk '$1 == "name" && tolower($2) == "ptrav.dll" {print $3}' "$out/DLV.imports.txt")
  ptrav_ordinals=$(awk '$1 == "ordinal" && tolower($2) == "ptrav.dll" {print $3}' "$out/DLV.imports.txt" |
    while read -r hex; do echo $((16#$hex)); done | sort -n | tr '\n' ' ' | sed 's/ $//')
  if [[ -n $ptrav_names ]]; then
    fail "DLV.dll imports PTRAV.dll by name: $ptrav_names"
  elif [[ $ptrav_ordinals == "1 6 15 16" ]]; then
    pass "DLV.dll imports PTRAV.dll by ordinals 1 6 15 16"
  elif [[ " $exports " == *" dlv_cal "* ]]; then
    fail "DLV.dll imports PTRAV.dll ordinals [$ptrav_ordinals], want [1 6 15 16]"
  else
    echo "     (dlv_cal not exported yet; PTRAV.dll imports [$ptrav_ordinals])"
  fi
fi
if [[ -n $objdump && -f $windows_build/ptrav/PTRAV.dll ]]; then
  "$objdump" -p "$windows_build/ptrav/PTRAV.dll" >"$out/PTRAV.dll.txt"
  names=$(awk '/\[Ordinal\/Name Pointer\] Table/ {f = 1; next} f && NF == 0 {f = 0} f {print $NF}' \
    "$out/PTRAV.dll.txt" | tr '\n' ' ')
  ordinals=$(awk '/^Export Address Table/ {f = 1; next} f && NF == 0 {f = 0}
                  f && /\+base\[/ {s = $0; sub(/.*\+base\[ */, "", s); sub(/\].*/, "", s); print s}' \
    "$out/PTRAV.dll.txt" | sort -n | tr '\n' ' ' | sed 's/ $//')
  if [[ -z ${names// /} && $ordinals == "1 6 15 16" ]]; then
    pass "PTRAV.dll exports ordinals 1 6 15 16 and no names"
  else
    fail "PTRAV.dll exports: ordinals [$ordinals], names [$names]"
  fi
  bad_dlls=""
  for dll in $(awk '/DLL Name:/ {print $3}' "$out/PTRAV.dll.txt"); do
    lower=$(tr 'A-Z' 'a-z' <<<"$dll")
    [[ $lower == api-ms-win-* || " $system_dlls " == *" $lower "* ]] || bad_dlls+=" $dll"
  done
  if [[ -z $bad_dlls ]]; then
    pass "PTRAV.dll imports only Windows system DLLs"
  else
    fail "PTRAV.dll imports non-system DLLs:$bad_dlls"
  fi
fi

# ---- 3. the C host on Linux and under wine -------------------------------------
run_host() {
  local label=$1 file=$2
  if [[ ! -s $file ]] || ! grep -q '^check load_library ok' "$file"; then
    fail "$label host did not load the library"
    head -5 "$file" "$file.err" 2>/dev/null
    return 1
  fi
  if ! grep -q '^# end' "$file"; then
    fail "$label host ended early, after: $(grep '^# begin' "$file" | tail -1)"
    tail -5 "$file.err" 2>/dev/null
  fi
  count_checks "$label" "$file"
}

if [[ -x $out/bin/host && -f $linux_build/libDLV.so ]]; then
  (cd "$out/linux" && timeout 300 "$out/bin/host" "$linux_build/libDLV.so" \
    >"$out/linux.txt" 2>"$out/linux.txt.err")
  run_host linux "$out/linux.txt"
fi

if [[ -n $wine && -f $out/windows/host.exe && -f $windows_build/DLV.dll ]]; then
  cp "$windows_build/DLV.dll" "$windows_build/ptrav/PTRAV.dll" "$out/windows/"
  if [[ ! -f $WINEPREFIX/system.reg ]]; then
    echo "     creating the wine prefix $WINEPREFIX (first run only)"
    mkdir -p "$WINEPREFIX"
    timeout 300 "$wine" wineboot --init >"$out/wineboot.txt" 2>&1
  fi
  # The host writes its log files next to itself; it must find no leftovers.
  (cd "$out/windows" && timeout 300 "$wine" host.exe DLV.dll \
    >"$out/windows.txt" 2>"$out/windows.txt.err")
  tr -d '\r' <"$out/windows.txt" >"$out/windows.tmp" && mv "$out/windows.tmp" "$out/windows.txt"
  run_host windows "$out/windows.txt" || echo "     (is wine working? $wine)"
fi

# ---- 4. Linux against Windows: numbers and log files ---------------------------
if [[ -s $out/linux.txt && -s $out/windows.txt && -x $out/bin/compare_results ]]; then
  "$out/bin/compare_results" linux_windows "$out/linux.txt" "$out/windows.txt" >"$out/compare.txt"
  count_checks "linux vs windows" "$out/compare.txt"
  grep ' ok ' "$out/compare.txt" | sed 's/^check /     /'

  linux_logs=$(cd "$out/linux" && ls -- *.log 2>/dev/null | sort | tr '\n' ' ')
  windows_logs=$(cd "$out/windows" && ls -- *.log 2>/dev/null | sort | tr '\n' ' ')
  if [[ $linux_logs == "$windows_logs" ]]; then
    pass "same log files on both platforms: ${linux_logs:-none}"
  else
    fail "log files differ: linux [$linux_logs], windows [$windows_logs]"
  fi
  for log in $linux_logs; do
    if [[ -f $out/windows/$log ]] && cmp -s "$out/linux/$log" "$out/windows/$log"; then
      pass "log $log identical byte for byte ($(wc -c <"$out/linux/$log") bytes)"
    elif [[ -f $out/windows/$log ]]; then
      fail "log $log differs: $(cmp "$out/linux/$log" "$out/windows/$log" 2>&1 | head -1)"
    fi
  done
fi

# ---- 5. the .NET host ------------------------------------------------------------
if command -v mcs >/dev/null && command -v mono >/dev/null; then
  if mcs -nologo -out:"$out/bin/DotNetHost.exe" "$root/tests/abi/DotNetHost.cs" \
    >"$out/dotnet_build.txt" 2>&1; then
    pass "build the .NET host"
    # Run in an empty directory: dlv_calCSharp must write no log file there.
    (cd "$out/dotnet" && LD_LIBRARY_PATH="$linux_build${LD_LIBRARY_PATH:+:$LD_LIBRARY_PATH}" \
      timeout 300 mono "$out/bin/DotNetHost.exe" >"$out/dotnet.txt" 2>"$out/dotnet.txt.err")
    if grep -q '^# end' "$out/dotnet.txt"; then
      count_checks dotnet "$out/dotnet.txt"
    else
      fail ".NET host ended early"
      tail -5 "$out/dotnet.txt" "$out/dotnet.txt.err"
    fi
    if [[ -s $out/linux.txt && -x $out/bin/compare_results ]]; then
      "$out/bin/compare_results" dotnet_c "$out/linux.txt" "$out/dotnet.txt" dotnet_ \
        >"$out/compare_dotnet.txt"
      count_checks "dotnet vs C" "$out/compare_dotnet.txt"
    fi
  else
    fail "build the .NET host"
    cat "$out/dotnet_build.txt"
  fi
fi

finish
