#!/usr/bin/env bash
# Compares the benchmarks of an earlier revision with the current tree:
#   scripts/bench-compare.sh BASE_REV [FILTER] [ROUNDS]
# Builds both benchmark programs in Release (the base in a temporary worktree
# below build-bench-base/, removed afterwards; the current tree in
# build-release/), then runs them by turns, ROUNDS times each (5), so that a
# machine busy with other work slows both alike. Prints the median time of
# every benchmark before and after (wall clock and CPU) and how many times
# faster it got.
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
before="$base/build-release/bench/zephirax_bench"
after="$root/build-release/bench/zephirax_bench"
results="$work/results.csv"
: >"$results"
# One benchmark at a time: the CSV report of a run cannot take counters that
# only a later benchmark adds.
run() {  # label, program, benchmark name
  "$2" --benchmark_filter="^$3\$" --benchmark_format=csv 2>/dev/null |
    awk -F, -v label="$1" 'NR > 1 && NF > 4 && $3 != "" {
      gsub(/"/, "", $1); print label "," $1 "," $3 "," $4 "," $5 }' >>"$results"
}
mapfile -t names < <("$after" --benchmark_list_tests --benchmark_filter="$filter" 2>/dev/null)
for round in $(seq "$rounds"); do
  echo "round $round of $rounds ..." >&2
  for name in "${names[@]}"; do
    run before "$before" "$name"
    run after "$after" "$name"
  done
done

# label,name,real,cpu,unit rows -> the medians per label and name. Wall-clock
# time suffers most from other work on the machine; CPU time less so.
awk -F, '
  function median(list, n,    count, i, j, t, v) {
    count = split(list, v, " ")
    for (i = 2; i <= count; ++i)
      for (j = i; j > 1 && v[j - 1] + 0 > v[j] + 0; --j) { t = v[j]; v[j] = v[j - 1]; v[j - 1] = t }
    return count % 2 ? v[(count + 1) / 2] : (v[count / 2] + v[count / 2 + 1]) / 2
  }
  {
    real[$1, $2] = real[$1, $2] " " $3
    cpu[$1, $2] = cpu[$1, $2] " " $4
    unit[$2] = $5
    if (!($2 in seen)) { seen[$2] = 1; order[++names] = $2 }
  }
  function ratio(b, a) { return a > 0 ? sprintf("%.2fx", b / a) : "-" }
  END {
    printf "%-24s %5s %12s %12s %7s %12s %12s %7s\n", "median of runs", "unit", "real before",
      "real after", "ratio", "CPU before", "CPU after", "ratio"
    for (i = 1; i <= names; ++i) {
      name = order[i]
      rb = median(real["before", name]); ra = median(real["after", name])
      cb = median(cpu["before", name]); ca = median(cpu["after", name])
      printf "%-24s %5s %12.3f %12.3f %7s %12.3f %12.3f %7s\n", name, unit[name], rb, ra,
        ratio(rb, ra), cb, ca, ratio(cb, ca)
    }
  }' "$results"
