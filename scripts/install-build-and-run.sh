#!/usr/bin/env bash
# Installs what the program needs (Debian 12 desktop), builds it and the codec installer
# dravolen, which the first-run wizard starts from beside the program, and starts the program.
# It runs from the build folder, which holds the shipped location file VEK.LOC beside it, and
# keeps its settings there. Run as root, or as a user who may use sudo.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/install-packages.sh

cmake --preset default
cmake --build --preset default -j "$(nproc)" --target vek dravolen
exec ./build/default/vek "$@"
