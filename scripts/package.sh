#!/usr/bin/env bash
# Builds the Debian package: an optimised build without tests and benchmarks
# in build-package/, packed by CPack into build-package/zephirax_*.deb, whose
# files and dependencies are then checked.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
build_dir=build-package
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DZEPHIRAX_TESTS=OFF \
  -DZEPHIRAX_BENCHMARKS=OFF -DZEPHIRAX_WERROR=ON >/dev/null
cmake --build "$build_dir" -j2
rm -f "$build_dir"/zephirax_*.deb
(cd "$build_dir" && cpack -G DEB >/dev/null)
debs=("$build_dir"/zephirax_*.deb)
if [ ${#debs[@]} -ne 1 ] || [ ! -f "${debs[0]}" ]; then
  echo "package.sh: cpack made no single zephirax package" >&2
  exit 1
fi
deb=${debs[0]}

failed=0
contents=$(dpkg-deb -c "$deb" | awk '{ print $NF }')
for file in ./usr/bin/zephirax ./usr/bin/zephirax-cli ./usr/bin/voltan-sim \
  ./usr/share/applications/zephirax.desktop ./usr/share/mime/packages/voltan-zephirax.xml \
  ./usr/share/icons/hicolor/scalable/apps/zephirax.svg \
  ./usr/share/icons/hicolor/{16x16,32x32,48x48,64x64,128x128,256x256}/apps/zephirax.png; do
  if ! grep -qxF "$file" <<<"$contents"; then
    echo "package.sh: $file is missing from $deb" >&2
    failed=1
  fi
done
programs=$(grep -c '^\./usr/bin/.' <<<"$contents" || true)
if [ "$programs" -ne 3 ]; then
  echo "package.sh: $deb holds $programs programs instead of 3" >&2
  failed=1
fi
depends=$(dpkg-deb -f "$deb" Depends)
for package in libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6 libqt6serialport6 \
  libzip4 fonts-liberation2 xdg-utils; do
  if ! grep -qE "(^|, )$package( |,|$)" <<<"$depends"; then
    echo "package.sh: $deb does not depend on $package" >&2
    failed=1
  fi
done
if [ "$failed" -ne 0 ]; then
  exit 1
fi
echo "$deb"
dpkg-deb -f "$deb"
