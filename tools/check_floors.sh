#!/usr/bin/env bash
# Fails when a file under src/ includes a header of a higher floor.
#
#   tools/check_floors.sh [source root]      (default: src of this checkout)
#
# Floors, lowest first; a file may include headers of its own floor and of
# the floors below it. The public header dlv/dlv.h counts with the exports;
# the C field map dlv/dlv_layout.h and the traverse library's ptrav.h, which
# hold only numbers and declarations, count with the ground floor. The named
# layer (well files) stands above the exports.
# A quoted include of a folder that has no floor fails too, so that a new
# folder is placed here before it is used.
set -euo pipefail
root=${1:-"$(dirname "$0")/../src"}

declare -A floor=(
  [blocks]=0 [numerics]=0 [platform]=0
  [fluids]=1
  [inflow]=2 [tubing]=2
  [completion]=3
  [composite]=4
  [driver]=5
  [exports]=6 [dlv]=6
  [wellfile]=7
)
# Single headers whose floor differs from their folder's.
declare -A header_floor=([dlv/dlv_layout.h]=0 [ptrav.h]=0)

echo "== include floors"
failed=0
while IFS= read -r -d '' file; do
  rel=${file#"$root"/}
  folder=${rel%%/*}
  if [[ $rel != */* || -z ${floor[$folder]+set} ]]; then
    echo "$rel: not in a folder with a floor"
    failed=1
    continue
  fi
  while IFS=: read -r line target; do
    to=${target%%/*}
    if [[ -n ${header_floor[$target]+set} ]]; then
      to_floor=${header_floor[$target]}
    elif [[ $target == */* && -n ${floor[$to]+set} ]]; then
      to_floor=${floor[$to]}
    else
      to_floor=""
    fi
    if [[ -z $to_floor ]]; then
      echo "$rel:$line: includes \"$target\", which has no floor"
      failed=1
    elif ((to_floor > floor[$folder])); then
      echo "$rel:$line: $folder (floor ${floor[$folder]}) includes \"$target\" (floor $to_floor)"
      failed=1
    fi
  done < <(grep -nE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "$file" |
    sed -E 's/^([0-9]+):[^"]*"([^"]+)".*/\1:\2/' || true)
done < <(find "$root" -type f \( -name '*.cpp' -o -name '*.hpp' -o -name '*.h' -o -name '*.c' \) -print0)

if ((failed)); then
  echo "floors: FAILED"
  exit 1
fi
echo "floors: ok"
