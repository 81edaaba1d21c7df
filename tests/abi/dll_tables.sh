#!/usr/bin/env bash
# The export and import tables of DLV.dll and PTRAV.dll, read with objdump:
#   - DLV.dll exports exactly the eleven entry points, undecorated;
#   - DLV.dll imports only KERNEL32.dll, msvcrt.dll and PTRAV.dll, the last by
#     ordinals 1, 6, 15 and 16 and by no name;
#   - PTRAV.dll exports ordinals 1, 6, 15 and 16 and no names.
# Usage: dll_tables.sh <objdump> <DLV.dll> <PTRAV.dll>
set -uo pipefail
objdump=$1
failed=0
check() {  # check <what> <have> <want>
  if [[ $2 == "$3" ]]; then
    echo "ok   $1: $2"
  else
    echo "FAIL $1: have [$2], want [$3]"
    failed=1
  fi
}
joined() { LC_ALL=C sort "$@" | tr '\n' ' ' | sed 's/ $//'; }

dlv=$("$objdump" -p "$2") || exit 1
ptrav=$("$objdump" -p "$3") || exit 1
export_names() {
  awk '/\[Ordinal\/Name Pointer\] Table/ {f = 1; next} f && NF == 0 {f = 0} f {print $NF}'
}
# One line per imported member: "<dll> ordinal <hex>" or "<dll> name <symbol>".
imports() {
  awk '/DLL Name:/ {dll = $3; print dll " dll"; next}
       /Hint\/Ord Member-Name/ {next}
       dll != "" && NF == 0 {dll = ""}
       dll != "" && NF >= 3 {print dll (($3 == "<none>") ? " ordinal " $2 : " name " $3)}'
}

check "DLV.dll exports" "$(export_names <<<"$dlv" | joined)" \
  "CenterWord dlvCalcPI dlvCalcVogel dlvGetResultRate_PrsArrays dlv_cal dlv_calCSharp interpol liqvis lsort2col test64bitdlv zfachy"
dlv_imports=$(imports <<<"$dlv")
check "DLV.dll imports from" "$(awk '$2 == "dll" {print $1}' <<<"$dlv_imports" | joined)" \
  "KERNEL32.dll PTRAV.dll msvcrt.dll"
check "DLV.dll imports from PTRAV.dll" \
  "$(awk '$1 == "PTRAV.dll" && $2 != "dll" {print $2 " " $3}' <<<"$dlv_imports" |
    while read -r kind value; do
      [[ $kind == ordinal ]] && value=$((16#$value))
      echo "$kind $value"
    done | sort -k2n | tr '\n' ' ' | sed 's/ $//')" \
  "ordinal 1 ordinal 6 ordinal 15 ordinal 16"
check "PTRAV.dll export names" "$(export_names <<<"$ptrav" | joined)" ""
check "PTRAV.dll export ordinals" \
  "$(awk '/^Export Address Table/ {f = 1; next} f && NF == 0 {f = 0}
          f && /\+base\[/ {s = $0; sub(/.*\+base\[ */, "", s); sub(/\].*/, "", s); print s}' <<<"$ptrav" |
    sort -n | tr '\n' ' ' | sed 's/ $//')" "1 6 15 16"
exit $failed
