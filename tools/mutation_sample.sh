#!/usr/bin/env bash
# Runs a sample of single-line faults against the release test suites: for
# each line of the mutant list, puts the fault in, rebuilds incrementally,
# runs ctest (stopping at the first failure) and puts the line back. A fault
# is killed when the build or a test fails, and survives when every test
# passes.
#
# Usage: tools/mutation_sample.sh [--source DIR] [--build DIR] [--list FILE]
#                                 [--target NAME]... [--tests REGEX]
#   --source  tree whose sources are mutated and tested (default: this worktree)
#   --build   build directory (default: <source>/build/mutation)
#   --list    mutant list (default: tools/mutants.tsv of this worktree); one
#             fault a line, tab-separated: file, original text, replacement
#             text. The original text must occur exactly once in the file (it
#             may span lines: \n stands for a line end); the script refuses
#             the whole list, before building, if any mutant cannot be placed.
#   --target  build only this target (repeatable; default: everything)
#   --tests   run only the tests matching REGEX (default: every test)
# Prints one line per mutant and the kill rate; the survivors are listed last.
# Uses ccache when it is installed.
set -uo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source_dir=$here
build_dir=""
list=$here/tools/mutants.tsv
targets=()
tests=()
while (($#)); do
  case $1 in
    --source) source_dir=$(cd "$2" && pwd); shift 2 ;;
    --build) build_dir=$2; shift 2 ;;
    --list) list=$(cd "$(dirname "$2")" && pwd)/$(basename "$2"); shift 2 ;;
    --target) targets+=(--target "$2"); shift 2 ;;
    --tests) tests=(-R "$2"); shift 2 ;;
    *) echo "unknown argument $1" >&2; exit 2 ;;
  esac
done
build_dir=${build_dir:-$source_dir/build/mutation}
mkdir -p "$build_dir" && build_dir=$(cd "$build_dir" && pwd)

# Each mutant's text, its line ends written as \n, and how often it occurs in its file.
occurrences() {
  OLD=$2 perl -0777 -ne '(my $t = $ENV{OLD}) =~ s/\\n/\n/g; my $n = () = /\Q$t\E/g; print $n' "$1"
}
unplaced=0
while IFS=$'\t' read -r file old new; do
  [[ -z $file || $file == \#* ]] && continue
  count=$( [[ -f $source_dir/$file ]] && occurrences "$source_dir/$file" "$old" || echo 0)
  if [[ $count != 1 || -z $new || $new == "$old" ]]; then
    echo "cannot place $file '$old' -> '$new': found $count times; a mutant needs its text exactly once and a different replacement" >&2
    unplaced=$((unplaced + 1))
  fi
done <"$list"
((unplaced == 0)) || exit 1

launcher=()
if command -v ccache >/dev/null; then
  export CCACHE_BASEDIR=${CCACHE_BASEDIR:-/work}
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
# The release preset of the mutated tree, without the benchmarks, in its own
# folder (a tree from before the presets: the same settings by hand).
if [[ -f $source_dir/CMakePresets.json ]]; then
  "$here/tools/cmake_preset.sh" release -S "$source_dir" -B "$build_dir" -DDLV_BENCH=OFF
else
  cmake -S "$source_dir" -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDLV_BENCH=OFF \
    "${launcher[@]}"
fi >/dev/null || exit 1
build() { cmake --build "$build_dir" -j2 "${targets[@]}" >"$build_dir/mutant_build.log" 2>&1; }
suites() {
  (cd "$build_dir" && ctest -j2 --timeout 120 --stop-on-failure "${tests[@]}" \
    >"$build_dir/mutant_ctest.log" 2>&1)
}

if ! build || ! suites; then
  echo "the unmutated tree does not pass; see $build_dir/mutant_*.log" >&2
  exit 1
fi

backup=$build_dir/mutant_backup
current=""
restore() {
  if [[ -n $current ]]; then
    cp -p "$backup" "$source_dir/$current"
    current=""
  fi
}
trap restore EXIT INT TERM

total=0
killed=0
survivors=()
while IFS=$'\t' read -r file old new; do
  [[ -z $file || $file == \#* ]] && continue
  total=$((total + 1))
  label="$file '$old' -> '$new'"
  cp -p "$source_dir/$file" "$backup"
  current=$file
  OLD=$old NEW=$new perl -0777 -pi -e \
    '(my $o = $ENV{OLD}) =~ s/\\n/\n/g; (my $n = $ENV{NEW}) =~ s/\\n/\n/g; s/\Q$o\E/$n/' \
    "$source_dir/$file"
  if ! build; then
    verdict="killed (build)"
  elif suites; then
    verdict=SURVIVED
  else
    verdict="killed by $(grep -m1 -E '\*\*\*|Not Run' "$build_dir/mutant_ctest.log" |
      sed -E 's/.*Test +#[0-9]+: ([^ ]+).*/\1/')"
  fi
  restore
  # The restored file is older than its object: make sure it is rebuilt.
  touch "$source_dir/$file"
  if [[ $verdict == SURVIVED ]]; then
    survivors+=("$label")
  else
    killed=$((killed + 1))
  fi
  printf '%s: %s\n' "$label" "$verdict"
done <"$list"
build >/dev/null

echo "killed $killed of $total"
for s in "${survivors[@]}"; do echo "survivor: $s"; done
