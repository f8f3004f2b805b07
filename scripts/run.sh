#!/usr/bin/env bash
# Installs what is missing, builds the desktop program and starts it on the sample mine.
# Shares build/ with scripts/test.sh; each script states the options it needs.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -G Ninja \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DIRVATA_BUILD_UI=ON -DIRVATA_SANITIZE=OFF -DIRVATA_FUZZ=OFF
cmake --build build -j "$(nproc)" --target irvata
exec ./build/src/app/irvata "$PWD/examples/sample_mine.irv"
