#!/usr/bin/env bash
# Sets up the machine, builds the program and starts it on a bundled sample
# measurement. Without a display it prints the sample's evaluation instead.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
scripts/build.sh

sample="samples/SIXCYL2T.KV"
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec build/zephirax "$sample"
fi
echo "No display is available, so the window cannot open. The sample's evaluation:"
echo
exec build/zephirax-cli info "$sample"
