#!/usr/bin/env bash
# Fails when a function under src/ has a cognitive complexity above 25 (the
# threshold of the .clang-tidy at the repository root); prints each one.
#
#   tools/check_complexity.sh BUILD_DIR
#
# BUILD_DIR holds the compile_commands.json of a configured build; files of
# src/ that it does not compile (Windows-only ones) are left out. Two files
# are checked at a time; a file clang-tidy cannot read fails the check too.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:?usage: tools/check_complexity.sh BUILD_DIR}
db="$build/compile_commands.json"
if [[ ! -f $db ]]; then
  echo "tools/check_complexity.sh: $db not found (configure the build first)" >&2
  exit 2
fi
command -v clang-tidy >/dev/null || {
  echo "tools/check_complexity.sh: clang-tidy not found (tools/install_deps.sh installs it)" >&2
  exit 2
}

echo "== cognitive complexity"
mapfile -t files < <(find src -name '*.cpp' | sort | while read -r f; do
  grep -qF "\"file\": \"$PWD/$f\"" "$db" && echo "$f"
done)
out=$(printf '%s\n' "${files[@]}" |
  xargs -P2 -n4 clang-tidy -p "$build" --quiet --config-file=.clang-tidy 2>/dev/null |
  grep -E 'readability-function-cognitive-complexity|: error: ' | sed "s|^$PWD/||" | sort -u || true)
if [[ -n $out ]]; then
  echo "$out"
  echo "cognitive complexity: FAILED ($(wc -l <<<"$out") functions above 25 in ${#files[@]} files)"
  exit 1
fi
echo "cognitive complexity: ok (${#files[@]} files)"
