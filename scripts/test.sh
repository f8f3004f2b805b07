#!/usr/bin/env bash
# Installs what is missing, configures, builds and runs every test.
# Usage: scripts/test.sh [--sanitize]
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
build=build
flags=()
if [ "${1:-}" = "--sanitize" ]; then
  build=build-asan
  flags+=(-DIRVATA_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug -DIRVATA_BUILD_BENCH=OFF)
fi
export CCACHE_DIR="${CCACHE_DIR:-$PWD/.ccache}"
cmake -S . -B "$build" -G Ninja "${flags[@]}"
cmake --build "$build" -j "$(nproc)"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build" --output-on-failure -j "$(nproc)"
