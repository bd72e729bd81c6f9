#!/usr/bin/env bash
# Installs the Debian 12 packages that building, testing and running the program need. Run as
# root, or as a user who may use sudo. Sourced by the other scripts.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  clang   # the second compiler the test command builds with
  python3   # the layer check of the source tree
  libgtest-dev libbenchmark-dev
  libitl-dev   # independent prayer-times library the reference test compares against
  tzdata
  qt6-base-dev libgl-dev   # Qt 6 Widgets
  libzip-dev   # reading the clock-face and sound archives
  qt6-multimedia-dev gstreamer1.0-plugins-base gstreamer1.0-plugins-good gstreamer1.0-alsa   # sounds
  gstreamer1.0-tools   # encoding the wizard's compressed test tone (tools/make_mp3_test_tone.py)
  desktop-file-utils   # desktop-file-validate checks the autostart entry the wizard writes
  fontconfig fonts-liberation2 fonts-noto-core   # Latin and Arabic fonts for the forms
  ftp python3-pyftpdlib   # the ftp client of the tester's script and the test FTP server
)
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${packages[@]}"
