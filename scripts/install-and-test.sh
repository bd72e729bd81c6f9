#!/usr/bin/env bash
# Installs what the build and the tests need (Debian 12), builds the project twice (a release
# build and an AddressSanitizer + UndefinedBehaviorSanitizer build) and runs the whole test
# suite in both. Run as root, or as a user who may use sudo.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
  build-essential cmake pkg-config
  libgtest-dev libbenchmark-dev
  libitl-dev   # independent prayer-times library the reference test compares against
  tzdata
  qt6-base-dev libgl-dev   # Qt 6 Widgets
  fontconfig fonts-liberation2 fonts-noto-core   # Latin and Arabic fonts for the forms
)
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${packages[@]}"

jobs=$(nproc)
for preset in default asan; do
  echo "=== ${preset} build ==="
  cmake --preset "${preset}"
  cmake --build --preset "${preset}" -j "${jobs}"
  ctest --preset "${preset}" -j "${jobs}"
done
