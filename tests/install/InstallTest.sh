#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks what a desktop gets:
# the three programs and nothing else of the build, a valid desktop entry
# for the installed program, the icon, and the same MIME package and entry
# the options dialog registers for one user.
# Usage: InstallTest.sh CMAKE BUILD_DIR
set -euo pipefail
cmake=$1
build=$2

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
failures=0
fail() {
  echo "FAILED: $*" >&2
  failures=$((failures + 1))
}

"$cmake" --install "$build" --prefix "$prefix" >/dev/null

expected=(
  bin/voltan-sim
  bin/zephirax
  bin/zephirax-cli
  share/applications/zephirax.desktop
  share/icons/hicolor/128x128/apps/zephirax.png
  share/icons/hicolor/16x16/apps/zephirax.png
  share/icons/hicolor/256x256/apps/zephirax.png
  share/icons/hicolor/32x32/apps/zephirax.png
  share/icons/hicolor/48x48/apps/zephirax.png
  share/icons/hicolor/64x64/apps/zephirax.png
  share/icons/hicolor/scalable/apps/zephirax.svg
  share/mime/packages/voltan-zephirax.xml
)
installed=$(cd "$prefix" && find . -type f -o -type l | sed 's|^\./||' | LC_ALL=C sort)
if [ "$installed" != "$(printf '%s\n' "${expected[@]}" | LC_ALL=C sort)" ]; then
  fail "installed files differ from the expected ones:"
  diff <(printf '%s\n' "${expected[@]}" | LC_ALL=C sort) <(echo "$installed") >&2 || true
fi
for program in zephirax zephirax-cli voltan-sim; do
  [ -x "$prefix/bin/$program" ] || fail "bin/$program is not executable"
done
for size in 16 32 48 64 128 256; do
  png=$prefix/share/icons/hicolor/${size}x${size}/apps/zephirax.png
  # The PNG header's width and height, big-endian at bytes 16 and 20.
  read -r width height < <(od -An -j16 -N8 -tu1 "$png" 2>/dev/null |
    awk '{ print $1*16777216 + $2*65536 + $3*256 + $4, $5*16777216 + $6*65536 + $7*256 + $8 }')
  [ "${width:-0}x${height:-0}" = "${size}x${size}" ] || fail "$png is ${width:-?}x${height:-?}"
done

entry=$prefix/share/applications/zephirax.desktop
for line in "Exec=zephirax %f" "Icon=zephirax" "StartupWMClass=zephirax" \
  "MimeType=application/x-voltan-kv;application/x-voltan-ks;"; do
  grep -qxF "$line" "$entry" || fail "the desktop entry lacks '$line'"
done
if command -v desktop-file-validate >/dev/null; then
  said=$(desktop-file-validate "$entry" 2>&1) || fail "desktop-file-validate: $said"
  [ -z "$said" ] || fail "desktop-file-validate: $said"
fi

# What the installed program registers for one user, without any of the
# desktop's tools, is what the installation holds; only the entry's Exec
# differs, as it names the program by its path.
mkdir -p "$work/no-tools"
if ! env HOME="$work/home" XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/config" \
  PATH="$work/no-tools" "$prefix/bin/zephirax-cli" register --user >"$work/register.out" 2>&1; then
  fail "zephirax-cli register: $(cat "$work/register.out")"
fi
cmp -s "$prefix/share/mime/packages/voltan-zephirax.xml" \
  "$work/data/mime/packages/voltan-zephirax.xml" ||
  fail "the installed MIME package differs from the registered one"
registered=$work/data/applications/zephirax.desktop
grep -qxF "Exec=$prefix/bin/zephirax %f" "$registered" ||
  fail "the registered entry does not start $prefix/bin/zephirax"
sed "s|^Exec=$prefix/bin/zephirax |Exec=zephirax |" "$registered" | cmp -s - "$entry" ||
  fail "the installed desktop entry differs from the registered one"

help=$("$prefix/bin/zephirax-cli" --help 2>&1) || fail "zephirax-cli --help: $help"
case $help in
  *Usage*) ;;
  *) fail "zephirax-cli --help printed no usage: $help" ;;
esac

if ((failures > 0)); then
  exit 1
fi
echo "installed and checked in a temporary prefix"
