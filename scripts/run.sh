#!/usr/bin/env bash
# Installs what is missing, builds and starts the application on the sample mine.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
export CCACHE_DIR="${CCACHE_DIR:-$PWD/.ccache}"
cmake -S . -B build -G Ninja -DIRVATA_BUILD_TESTS=OFF -DIRVATA_BUILD_BENCH=OFF
cmake --build build -j "$(nproc)" --target irvata
exec ./build/src/app/irvata "$PWD/examples/sample_mine.irv"
