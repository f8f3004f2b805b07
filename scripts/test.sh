#!/usr/bin/env bash
# Installs what is missing, configures, builds and runs every test; ends with CTest's summary
# and fails when a test fails or when no test ran.
# Under CI (CI=true) it then makes the Debian package from the built tree, installs it, tries it
# and removes it again (scripts/package-test.sh, which needs root).
# Usage: scripts/test.sh [--sanitize]   (--sanitize: AddressSanitizer + UBSan, in build-asan/)
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
build=build
# Every option is stated, so a build folder configured otherwise before is set right again.
options=(-DIRVATA_BUILD_UI=ON -DIRVATA_BUILD_TESTS=ON -DIRVATA_FUZZ=OFF)
if [ "${1:-}" = "--sanitize" ]; then
  build=build-asan
  options+=(-DCMAKE_BUILD_TYPE=Debug -DIRVATA_SANITIZE=ON -DIRVATA_BUILD_BENCH=OFF)
else
  options+=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DIRVATA_SANITIZE=OFF -DIRVATA_BUILD_BENCH=ON)
fi
cmake -S . -B "$build" -G Ninja "${options[@]}"
cmake --build "$build" -j "$(nproc)"
# Before the tests, so that installing and removing the package races with none of them, and
# CTest's summary stays the last thing printed.
if [ "$build" = build ] && [ "${CI:-}" = true ]; then
  bash scripts/package-test.sh "$build"
fi
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build" --output-on-failure --no-tests=error -j "$(nproc)"
