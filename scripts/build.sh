#!/usr/bin/env bash
# Configures and builds the project: scripts/build.sh [--sanitize]
# The normal build goes to build/, the sanitizer build to build-asan/.
set -euo pipefail
cd "$(dirname "$0")/.."

build_dir=build
options=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
if [ "${1:-}" = "--sanitize" ]; then
  build_dir=build-asan
  options=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DZEPHIRAX_SANITIZE=ON -DZEPHIRAX_BENCHMARKS=OFF)
fi

cmake -S . -B "$build_dir" -G Ninja "${options[@]}" >/dev/null
cmake --build "$build_dir" -j2
