#!/usr/bin/env bash
# Compares the benchmarks of an earlier revision with the current tree:
#   scripts/bench-compare.sh BASE_REV [FILTER] [ROUNDS]
# Builds both benchmark programs in Release (the base in a temporary worktree
# below build-bench-base/, removed afterwards; the current tree in
# build-release/), then runs them by turns, ROUNDS times each (5), so that a
# machine busy with other work slows both alike. Prints the median time of
# every benchmark before and after and how many times faster it got.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ $# -lt 1 ] || [ $# -gt 3 ]; then
  echo "usage: scripts/bench-compare.sh BASE_REV [FILTER] [ROUNDS]" >&2
  exit 2
fi
base_rev=$(git rev-parse --verify "$1^{commit}")
filter=${2:-.}
rounds=${3:-5}
root=$(pwd)

# Inside the tree, like build-release/, so that the compiler cache finds the
# objects of files the two revisions share.
work="$root/build-bench-base"
base="$work/tree"
cleanup() {
  git -C "$root" worktree remove --force "$base" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
cleanup
mkdir -p "$work"
git worktree add -q --detach "$base" "$base_rev"

build() {  # source folder
  cmake -S "$1" -B "$1/build-release" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DZEPHIRAX_TESTS=OFF -DZEPHIRAX_WERROR=ON >/dev/null
  cmake --build "$1/build-release" -j2 --target zephirax_bench >/dev/null
}
echo "building $base_rev ..." >&2
build "$base"
echo "building the current tree ..." >&2
build "$root"

export QT_QPA_PLATFORM=offscreen
results="$work/results.csv"
: >"$results"
run() {  # label, program
  "$2" --benchmark_filter="$filter" --benchmark_format=csv 2>/dev/null |
    awk -F, -v label="$1" '$1 !~ /^name$/ && NF > 4 && $3 != "" {
      gsub(/"/, "", $1); print label "," $1 "," $3 "," $5 }' >>"$results"
}
for round in $(seq "$rounds"); do
  echo "round $round of $rounds ..." >&2
  run before "$base/build-release/bench/zephirax_bench"
  run after "$root/build-release/bench/zephirax_bench"
done

# label,name,time,unit rows -> the median per label and name.
sort -t, -k2,2 -k1,1 -k3,3g "$results" | awk -F, '
  function median(values, n) {
    return n % 2 ? values[(n + 1) / 2] : (values[n / 2] + values[n / 2 + 1]) / 2
  }
  function flush() {
    if (key == "") return
    m[key] = median(v, n)
    n = 0
  }
  {
    k = $1 SUBSEP $2
    if (k != key) { flush(); key = k }
    v[++n] = $3
    unit[$2] = $4
    if (!($2 in seen)) { seen[$2] = 1; order[++names] = $2 }
  }
  END {
    flush()
    printf "%-28s %14s %14s %8s\n", "benchmark (median)", "before", "after", "ratio"
    for (i = 1; i <= names; ++i) {
      name = order[i]
      b = m["before" SUBSEP name]
      a = m["after" SUBSEP name]
      ratio = a > 0 ? sprintf("%.2fx", b / a) : "-"
      printf "%-28s %11.3f %-2s %11.3f %-2s %8s\n", name, b, unit[name], a, unit[name], ratio
    }
  }'
