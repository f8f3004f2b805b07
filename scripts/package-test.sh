#!/usr/bin/env bash
# Makes the Debian package from an already built tree, installs it with apt-get, runs the
# installed programs' files against what the package promises (irvata-cli on the installed
# sample mine among them) and removes the package again. Installing needs root: without it
# the test is skipped, except under CI (CI=true), where a skip would hide a broken package.
# Usage: scripts/package-test.sh [BUILD_DIR]   (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}

if [ "$(id -u)" -ne 0 ]; then
  if [ "${CI:-}" = true ]; then
    echo "package-test: installing the package needs root, and CI must not skip it" >&2
    exit 1
  fi
  echo "package-test: skipped (installing the package needs root; run it as root to test the package)"
  exit 0
fi
if [ ! -f "$build/CPackConfig.cmake" ]; then
  echo "package-test: $build is not a configured build folder" >&2
  exit 1
fi
if dpkg-query -W -f='${Status}' irvata 2>/dev/null | grep -q "install ok installed"; then
  echo "package-test: the irvata package is installed already; remove it first (apt-get remove irvata)" >&2
  exit 1
fi

# The package and CPack's staging go to a folder of their own: the build tree's programs are
# not touched while other tests may be running them.
out=$(mktemp -d)
installed=no
cleanup() {
  if [ "$installed" = yes ]; then
    DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq irvata >/dev/null
  fi
  rm -rf "$out"
}
trap cleanup EXIT

cpack --config "$build/CPackConfig.cmake" -B "$out" >"$out/cpack.log" || { cat "$out/cpack.log" >&2; exit 1; }
version=$(sed -n 's/^project(Irvata VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
deb="$out/irvata_${version}_$(dpkg --print-architecture).deb"
if [ ! -f "$deb" ]; then
  echo "package-test: CPack did not write $(basename "$deb"):" >&2
  ls "$out" >&2
  exit 1
fi
echo "package-test: $(basename "$deb"), $(du -h "$deb" | cut -f1)"

fail() { echo "package-test: $*" >&2; exit 1; }
depends=$(dpkg-deb -f "$deb" Depends)
for lib in libqt6core6 libqt6gui6 libqt6widgets6 zlib1g libdeflate0 libjpeg62-turbo; do
  grep -q "$lib" <<<"$depends" || fail "the package does not depend on $lib: $depends"
done

installed=yes
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$deb" >/dev/null
for f in /usr/bin/irvata /usr/bin/irvata-cli /usr/share/irvata/help/index.html \
         /usr/share/irvata/examples/sample_mine.irv /usr/share/applications/irvata.desktop \
         /usr/share/mime/packages/irvata-mime.xml /usr/share/icons/hicolor/scalable/apps/irvata.svg; do
  [ -f "$f" ] || fail "$f is not installed"
done

# Run from another folder, with the build tree out of reach.
cd /
info=$(/usr/bin/irvata-cli info /usr/share/irvata/examples/sample_mine.irv) || fail "irvata-cli info failed"
grep -q '^Branches: ' <<<"$info" || fail "irvata-cli info printed no branch count: $info"
# Drawing needs Qt's offscreen platform plugin from the package's dependencies.
/usr/bin/irvata-cli render /usr/share/irvata/examples/sample_mine.irv "$out/sample.png" --scale 10 \
  || fail "irvata-cli render failed"
# The desktop program's default help folder is the installed pages: "/install" writes the
# default settings (no window, no display) into a folder of the test's own.
IRVATA_CONFIG_DIR="$out/config" /usr/bin/irvata /install || fail "irvata /install failed"
grep -rq "/usr/share/irvata/help" "$out/config" || fail "the installed program does not look for its help in /usr/share/irvata/help"
if command -v xdg-mime >/dev/null; then
  [ "$(xdg-mime query filetype /usr/share/irvata/examples/sample_mine.irv)" = application/x-irvata-network ] \
    || fail "*.irv is not known as application/x-irvata-network"
fi
echo "package-test: installed, ran irvata-cli info and render on the installed sample mine, irvata found its help, removed"
