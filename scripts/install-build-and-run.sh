#!/usr/bin/env bash
# Installs what the program needs (Debian 12 desktop), builds it and starts it. The program runs
# from the build folder, which holds the shipped location file VEK.LOC beside it, and keeps its
# settings there. Run as root, or as a user who may use sudo.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/install-packages.sh

cmake --preset default
cmake --build --preset default -j "$(nproc)" --target vek
exec ./build/default/vek "$@"
