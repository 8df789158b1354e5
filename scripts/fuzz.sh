#!/usr/bin/env bash
# Fuzzes every reader of outside bytes for a bounded time each:
#   scripts/fuzz.sh [SECONDS]   (60 per target by default)
# Builds the libFuzzer targets with clang in build-fuzz/, seeds them from
# samples/, from simulator output and from tests/data/fuzz-regressions, runs
# each one and prints executions, corpus size and findings per target. Every
# finding is copied into tests/data/fuzz-regressions/<target>/, where the
# normal test suite replays it, and the script then exits 1. The corpora grow
# in build-fuzz/corpus/ from run to run.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-60}"
if ! [[ "$seconds" =~ ^[1-9][0-9]*$ ]]; then
  echo "usage: scripts/fuzz.sh [SECONDS]" >&2
  exit 2
fi

scripts/setup.sh

build_dir=build-fuzz
CC=clang CXX=clang++ cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DZEPHIRAX_FUZZ=ON -DZEPHIRAX_WERROR=ON >/dev/null
cmake --build "$build_dir" -j2

targets=(measurement reference setup adddata ini receive)
regressions=tests/data/fuzz-regressions
seeds="$build_dir/seeds"
rm -rf "$seeds" "$build_dir/artifacts" "$build_dir/logs"
for target in "${targets[@]}"; do
  mkdir -p "$seeds/$target" "$build_dir/corpus/$target" "$build_dir/artifacts/$target" \
    "$build_dir/logs" "$regressions/$target"
done

# Measurements: the bundled samples and the simulator's layouts and channels.
# The simulator links the instrumented core; its exit is no leak check.
for sample in samples/*.KV samples/*.KS; do
  cp "$sample" "$seeds/measurement/"
done
sim_runs=(
  "--cylinders 1 --layout 1440"
  "--cylinders 2 --cycle 4 --v-engine 45 --layout 1440 --extra fuel-binary --shift"
  "--cylinders 8 --layout 360 --extra acl"
  "--cylinders 4 --layout 360 --no-version --extra fuel"
  "--cylinders 3 --cycle 4 --layout 180lines"
  "--cylinders 20 --layout 180rows --strokes 30"
)
number=0
for options in "${sim_runs[@]}"; do
  number=$((number + 1))
  # shellcheck disable=SC2086 # the options are words on purpose
  ASAN_OPTIONS=detect_leaks=0 "$build_dir/voltan-sim" generate -o "$seeds/measurement/sim-$number.KV" \
    $options --seed "$number" >/dev/null
done

# The other targets take a leading byte that picks a cylinder, a cylinder
# count or a chunk size, then the file's bytes.
for file in "$seeds"/measurement/*; do
  name=$(basename "$file")
  { printf '\x01'; cat "$file"; } >"$seeds/reference/1-$name"
  { printf '\x03'; cat "$file"; } >"$seeds/reference/3-$name"
  checksum=$(od -An -v -tu1 "$file" | awk '{ for (i = 1; i <= NF; ++i) s += $i }
                                            END { printf "%02X", s % 256 }')
  { printf '\x07\x16\x02'; cat "$file"; printf '\x03%s' "$checksum"; } >"$seeds/receive/$name"
done
for exh in samples/*.EXH; do
  # Files whose cylinder count is not known are tried for six cylinders.
  { printf '\x07'; cat "$exh"; } >"$seeds/adddata/$(basename "$exh")"
done

# Longer inputs only slow the fuzzer down: a measurement's items and their
# faults fit well within this, and longer seeds are cut to it.
max_len=49152
failed=0
rows=()
for target in "${targets[@]}"; do
  log="$build_dir/logs/$target.log"
  artifacts="$build_dir/artifacts/$target"
  echo "fuzzing $target for $seconds s"
  status=0
  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 "$build_dir/fuzz/fuzz-$target" \
    -max_total_time="$seconds" -max_len="$max_len" -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 \
    -artifact_prefix="$artifacts/" "$build_dir/corpus/$target" "$seeds/$target" \
    "$regressions/$target" >"$log" 2>&1 || status=$?

  runs=$(grep -Eo 'stat::number_of_executed_units: *[0-9]+' "$log" | grep -Eo '[0-9]+$' |
    tail -n 1 || true)
  corpus=$(grep -Eo 'corp: [0-9]+' "$log" | grep -Eo '[0-9]+$' | tail -n 1 || true)
  findings=0
  for artifact in "$artifacts"/*; do
    [ -f "$artifact" ] || continue
    findings=$((findings + 1))
    # crash, leak, timeout or oom, as the fuzzer names its artifacts.
    kind=$(basename "$artifact")
    kind=${kind%%-*}
    # A regression file that fails again is named, not copied twice.
    kept=$(find "$regressions/$target" -type f -exec cmp -s "$artifact" {} \; -print -quit)
    if [ -z "$kept" ]; then
      kept="$regressions/$target/$kind-$(sha1sum "$artifact" | cut -c1-12)"
      cp "$artifact" "$kept"
    fi
    echo "FINDING in $target: $kept ($(wc -c <"$kept") bytes)"
    head -c 256 "$kept" | od -A d -t x1z -v
  done
  if ((findings > 0)); then
    failed=1
    grep -E -A 30 'ERROR: |runtime error|broken promise' "$log" | head -n 60 || true
  elif ((status != 0)); then
    # No input to blame: the fuzzer itself did not run through.
    failed=1
    findings="error"
    tail -n 30 "$log"
  fi
  rows+=("$(printf '%-12s %12s %8s %8s' "$target" "${runs:-?}" "${corpus:-?}" "$findings")")
done

echo
printf '%-12s %12s %8s %8s\n' target executions corpus findings
for row in "${rows[@]}"; do
  echo "$row"
done
if ((failed)); then
  echo "fuzzing found faults; the inputs are in $regressions and the logs in $build_dir/logs" >&2
  exit 1
fi
