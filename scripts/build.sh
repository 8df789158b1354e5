#!/usr/bin/env bash
# Configures and builds the project: scripts/build.sh [--sanitize | --release]
# The normal build goes to build/, the sanitizer build to build-asan/, the
# optimised release build to build-release/. Warnings are errors here.
set -euo pipefail
cd "$(dirname "$0")/.."

build_dir=build
options=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
case "${1:-}" in
  --sanitize)
    build_dir=build-asan
    options=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DZEPHIRAX_SANITIZE=ON -DZEPHIRAX_BENCHMARKS=OFF)
    ;;
  --release)
    build_dir=build-release
    options=(-DCMAKE_BUILD_TYPE=Release)
    ;;
  "") ;;
  *)
    echo "usage: scripts/build.sh [--sanitize | --release]" >&2
    exit 2
    ;;
esac

cmake -S . -B "$build_dir" -G Ninja "${options[@]}" -DZEPHIRAX_WERROR=ON >/dev/null
cmake --build "$build_dir" -j2
