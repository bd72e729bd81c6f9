#!/usr/bin/env bash
# Installs what the build and the tests need (Debian 12), builds the project three times (a
# release build, an AddressSanitizer + UndefinedBehaviorSanitizer build and a Clang build) and
# runs the whole test suite in each; then builds the fuzz harnesses and runs each over its seed
# corpus and for 20 seconds; then builds the Debian package, installs it, starts the installed
# program and removes the package again (scripts/test-package.sh). Run as root, or as a user
# who may use sudo.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/install-packages.sh

jobs=$(nproc)
for preset in default asan clang; do
  echo "=== ${preset} build ==="
  cmake --preset "${preset}"
  cmake --build --preset "${preset}" -j "${jobs}"
  ctest --preset "${preset}" -j "${jobs}"
done

echo "=== fuzz harnesses ==="
cmake --preset fuzz
cmake --build --preset fuzz -j "${jobs}"
./scripts/run-fuzzers.sh build/fuzz 20

./scripts/test-package.sh
