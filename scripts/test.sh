#!/usr/bin/env bash
# Sets up the machine, builds and runs every test: scripts/test.sh [--sanitize]
# With --sanitize the whole suite runs in a build with AddressSanitizer and
# UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
scripts/build.sh "$@"

build_dir=build
if [ "${1:-}" = "--sanitize" ]; then
  build_dir=build-asan
  export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
fi
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build_dir" --output-on-failure -j2
