#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Mutation testing: puts each plausible fault of tools/mutate/mutants.txt into a scratch copy of
# the sources, one at a time, rebuilds incrementally and runs the test suite. A mutant is
# killed when a test fails (or the suite no longer builds: the compiler caught it); it survived
# when every test passed. Prints the share killed per source folder and the survivors.
#
#   tools/mutate/mutate.sh [WORK_DIR [FILTER]]
#   tools/mutate/mutate.sh --windows [WORK_DIR [FILTER]]
#
# --windows: the faults of tools/mutate/mutants-windows.txt (the Windows build's own code, its
# packages and the platform branches of the sources), each tried on the Windows build of the
# scratch copy (preset "windows", with the helper programs of its native build), whose suite runs
# under Wine: first the tests a record names on its "? <regex>" line, then all of them. Needs a
# Qt for Windows (tools/windows/find-qt.sh).
#
# WORK_DIR (default build-mutate) holds the scratch copy WORK_DIR/tree and its build
# WORK_DIR/tree/build; the copy keeps the same relative paths as the checkout, so the compiler
# cache serves the first build. FILTER, a regular expression, picks mutants by file or reason.
# The checkout itself is never changed. Fast first: a mutant's own folder's tests (tests/ mirrors
# src/) are built and run first and stop at the first failure, then the other offscreen tests,
# then the tests on a virtual X display.
set -uo pipefail

source_dir=$(cd "$(dirname "$0")/../.." && pwd)
windows=false
if [ "${1:-}" = --windows ]; then
  windows=true
  shift
fi
work=${1:-build-mutate}
filter=${2:-}
case $work in /*) ;; *) work=$source_dir/$work ;; esac
list=$source_dir/tools/mutate/mutants.txt
$windows && list=$source_dir/tools/mutate/mutants-windows.txt
tree=$work/tree
build=$tree/build
wbuild=$tree/build-windows
log=$work/mutate.log
jobs=$(nproc 2>/dev/null || echo 2)
mkdir -p "$work"
: >"$log"

export CMAKE_CXX_COMPILER_LAUNCHER=${CMAKE_CXX_COMPILER_LAUNCHER:-$(command -v ccache || true)}
export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$source_dir} CCACHE_NOHASHDIR=${CCACHE_NOHASHDIR:-1}

# ---- the scratch copy: every file git knows or would add, build directories left out ---------
echo "mutate: copying the sources to $tree"
incoming=$work/incoming
rm -rf "$incoming"
mkdir -p "$tree" "$incoming"
(cd "$source_dir" && git ls-files -z --cached --others --exclude-standard |
  grep -zv '^build' | tar --null -T - -cf -) | tar -xf - -C "$incoming" ||
  { echo "mutate: could not copy the sources" >&2; exit 1; }
# Only a file whose text differs from the copy's is copied, and it takes the time of copying:
# whatever was built from its old text (by an earlier run, from a mutant left by an interrupted
# run, or from the checkout before an edit) is older and rebuilt. Unchanged files keep their
# times, so the build and the compiler cache stay warm.
(cd "$incoming" && find . -type f -print0) | while IFS= read -r -d '' f; do
  if ! cmp -s "$incoming/$f" "$tree/$f"; then
    mkdir -p "$(dirname "$tree/$f")"
    cp "$incoming/$f" "$tree/$f"
  fi
done
rm -rf "$incoming"
echo "mutate: configuring and building $build (the first time takes a while)"
(cd "$tree" && cmake --preset dev >>"$log" 2>&1) || { tail -20 "$log"; exit 1; }

# Test targets and tests per folder of tests/, from the CMake files.
targets_of() { # a tests/ folder (not its subfolders)
  grep -ho 'rb_add\(_x11\)\?_test(NAME [A-Za-z0-9_]*' "$tree/$1/CMakeLists.txt" 2>/dev/null |
    sed 's/.*NAME //'
}
tests_of() {
  grep -ho 'NAME [A-Za-z0-9_]*' "$tree/$1/CMakeLists.txt" 2>/dev/null | sed 's/NAME //'
}
all_targets=(contact-sheet) # tools/tools.cmake: its test draws every picture
while read -r dir; do
  # The Windows build's own tests are no targets of the native build.
  [[ $windows == false && ${dir#"$tree"/} == tests/windows* ]] && continue
  mapfile -t -O "${#all_targets[@]}" all_targets < <(targets_of "${dir#"$tree"/}")
done < <(find "$tree/tests" -name CMakeLists.txt -printf '%h\n')

build_targets() {
  cmake --build "$build" -j "$jobs" --target "$@" >>"$log" 2>&1
}
# The Windows build: the native helper programs it runs, then all of it.
windows_host_tools=(reefpainter guidehtml iconrender wine-checks)
build_windows() {
  build_targets "${windows_host_tools[@]}" && cmake --build "$wbuild" -j "$jobs" >>"$log" 2>&1
}
run_windows_tests() { # include-regex
  local args=(--test-dir "$wbuild" --stop-on-failure -j "$jobs")
  [ -n "$1" ] && args+=(-R "$1")
  ctest "${args[@]}" >>"$log" 2>&1
}
if $windows; then
  qt=$("$source_dir/tools/windows/find-qt.sh") || exit 1
  echo "mutate: configuring and building $wbuild (the first time takes a while)"
  (cd "$tree" && RB_WINDOWS_QT=$qt cmake --preset windows >>"$log" 2>&1) || { tail -20 "$log"; exit 1; }
  build_windows || { echo "mutate: the unchanged sources do not build for Windows" >&2; tail -30 "$log"; exit 1; }
  echo "mutate: checking that the unchanged sources pass their Windows tests"
  run_windows_tests "" || { echo "mutate: the unchanged sources fail their Windows tests; see $log" >&2; exit 1; }
else
build_targets "${all_targets[@]}" || { echo "mutate: the unchanged sources do not build" >&2; tail -30 "$log"; exit 1; }

# ctest over a name pattern, offscreen or x11, stopping at the first failure.
run_tests() { # include-regex exclude-regex label-args...
  local include=$1 exclude=$2
  shift 2
  local args=(--test-dir "$build" --stop-on-failure "$@")
  [ -n "$include" ] && args+=(-R "$include")
  [ -n "$exclude" ] && args+=(-E "$exclude")
  ctest "${args[@]}" >>"$log" 2>&1 # an empty selection passes
}

echo "mutate: checking that the unchanged sources pass their offscreen tests"
if ! run_tests "" "" -LE 'install|setup|x11' -j "$jobs"; then
  echo "mutate: the unchanged sources fail their tests; see $log" >&2
  exit 1
fi
fi

# ---- the mutants ----------------------------------------------------------------------------
declare -A total killed inapplicable
survivors=()
current=
backup=$work/original
restore() {
  if [ -n "$current" ] && [ -f "$backup" ]; then
    cp -p "$backup" "$tree/$current"
    touch "$tree/$current" # newer than the mutant's objects: rebuilt at the next build
  fi
  current=
}
trap 'restore; echo "mutate: interrupted" >&2; exit 130' INT TERM
trap restore EXIT

# One mutant: file, why, and the original/replacement pairs in the arrays olds/news.
try_mutant() {
  local file=$1 why=$2 folder testdir text k n before
  folder=$(dirname "$file")
  total[$folder]=$((${total[$folder]:-0} + 1))
  if [ ! -f "$tree/$file" ]; then
    inapplicable[$folder]=$((${inapplicable[$folder]:-0} + 1))
    echo "  not applicable (no file $file): $why"
    return
  fi
  text=$(cat "$tree/$file"; printf x)
  text=${text%x}
  for k in "${!olds[@]}"; do
    before=${text//"${olds[$k]}"/}
    n=$(((${#text} - ${#before}) / ${#olds[$k]}))
    if [ "$n" -ne 1 ]; then
      inapplicable[$folder]=$((${inapplicable[$folder]:-0} + 1))
      echo "  not applicable (original text found $n times in $file): $why"
      return
    fi
    text=${text/"${olds[$k]}"/"${news[$k]}"}
  done
  current=$file
  cp -p "$tree/$file" "$backup"
  printf '%s' "$text" >"$tree/$file"
  echo "=== $file: $why" >>"$log"

  testdir=tests/${folder#src/}
  local mine=() pattern=
  mapfile -t mine < <(targets_of "$testdir")
  if [ ${#mine[@]} -gt 0 ]; then
    pattern="^($(tests_of "$testdir" | paste -sd'|'))\$"
  fi
  local verdict=survived
  if $windows; then
    if ! build_windows; then
      verdict="killed (does not build)"
    elif [ -n "$first" ] && ! run_windows_tests "$first"; then
      verdict="killed by $first"
    elif ! run_windows_tests ""; then
      verdict="killed by another Windows test"
    fi
  elif [ ${#mine[@]} -gt 0 ] && ! build_targets "${mine[@]}"; then
    verdict="killed (does not build)"
  elif [ -n "$pattern" ] && ! run_tests "$pattern" "" -LE 'install|setup|x11' -j "$jobs"; then
    verdict="killed by the tests of $testdir"
  elif ! build_targets "${all_targets[@]}"; then
    verdict="killed (does not build)"
  elif ! run_tests "" "$pattern" -LE 'install|setup|x11' -j "$jobs"; then
    verdict="killed by another offscreen test"
  elif ! run_tests "" "" -L x11; then
    verdict="killed by a test on a virtual display"
  fi
  restore
  if [ "$verdict" = survived ]; then
    survivors+=("$file: $why")
  else
    killed[$folder]=$((${killed[$folder]:-0} + 1))
  fi
  echo "  $verdict: $file: $why"
}

file='' why='' first='' olds=() news=()
flush() {
  if [ -n "$file" ] && [ ${#olds[@]} -gt 0 ]; then
    if [ -z "$filter" ] || [[ "$file $why" =~ $filter ]]; then
      try_mutant "$file" "$why"
    fi
  fi
  file='' why='' first='' olds=() news=()
}
echo "mutate: the mutants of ${list#"$source_dir"/}"
while IFS= read -r line || [ -n "$line" ]; do
  case $line in
    '# why: '*) why=${line#'# why: '} ;;
    '@ '*) file=${line#'@ '} ;;
    '? '*) first=${line#'? '} ;;
    '- '*) olds+=("${line#'- '}") ;;
    '+ '*) news+=("${line#'+ '}") ;;
    '') flush ;;
  esac
done <"$list"
flush

# ---- the score ------------------------------------------------------------------------------
echo
echo "mutate: killed per folder (not applicable ones not counted)"
all=0 dead=0
for folder in $(printf '%s\n' "${!total[@]}" | sort); do
  counted=$((${total[$folder]} - ${inapplicable[$folder]:-0}))
  all=$((all + counted))
  dead=$((dead + ${killed[$folder]:-0}))
  printf '  %-22s %3d of %3d killed' "$folder" "${killed[$folder]:-0}" "$counted"
  [ "${inapplicable[$folder]:-0}" -gt 0 ] && printf ' (%d not applicable)' "${inapplicable[$folder]}"
  echo
done
echo "mutate: $dead of $all killed ($((all > 0 ? 100 * dead / all : 0)) %)"
if [ ${#survivors[@]} -gt 0 ]; then
  echo "mutate: survivors:"
  printf '  %s\n' "${survivors[@]}"
  exit 1
fi
