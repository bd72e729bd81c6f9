#!/usr/bin/env bash
# Installs what the build and the tests need (Debian 12), builds the project three times (a
# release build, an AddressSanitizer + UndefinedBehaviorSanitizer build and a Clang build) and
# runs the whole test suite in each, and the release build's again at a few awkward instants of
# the clock; then builds the fuzz harnesses and runs each over its seed corpus and for 20
# seconds; then builds the Debian package, installs it, starts the installed program and removes
# the package again (scripts/test-package.sh). Run as root, or as a user who may use sudo.
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

echo "=== the release build's suite at awkward instants ==="
# No test may depend on the clock, the date or the time zone: the suite runs again with the clock
# of each test starting a second before midnight, a second before a daylight-saving change in
# spring and in autumn, just after midnight of 29 February, and at the end of a second. The
# kernel's file times stay real (NO_FAKE_STAT), as the program sees them.
for instant in "UTC|2027-12-31 23:59:59" "Europe/Berlin|2027-03-28 01:59:59" \
  "America/New_York|2027-11-07 01:59:59" "UTC|2028-02-29 00:00:01" "UTC|2028-02-29 00:00:01.999"; do
  echo "--- TZ=${instant%%|*} at ${instant#*|}"
  TZ="${instant%%|*}" NO_FAKE_STAT=1 faketime -f "@${instant#*|}" ctest --preset default -j "${jobs}"
done

echo "=== fuzz harnesses ==="
cmake --preset fuzz
cmake --build --preset fuzz -j "${jobs}"
./scripts/run-fuzzers.sh build/fuzz 20

./scripts/test-package.sh
