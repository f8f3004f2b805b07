#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the tests and the application need.
# Does nothing when everything is already there.
set -euo pipefail
packages=(
  cmake ninja-build g++ ccache pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev libqt6opengl6-dev libgl-dev libglu1-mesa-dev
  qt6-translations-l10n
  zlib1g-dev libjpeg62-turbo-dev
  # Network files are written with libdeflate (read with zlib).
  libdeflate-dev
  # The hydraulic solver factorises its sparse systems with Eigen (header-only).
  libeigen3-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth fonts-dejavu-core fonts-liberation2
  # The tests read printed PDFs back (page count, paper, texts) with pdfinfo and pdftotext.
  poppler-utils
  # bench/process/measure.sh times whole processes with /usr/bin/time -v.
  time
  # The Debian package's library dependencies come from dpkg-shlibdeps, which CPack runs on
  # the files that file(1) calls ELF.
  dpkg-dev file
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
echo "Installing: ${missing[*]}"
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
