#!/usr/bin/env bash
# Installs the Debian 12 packages that building, testing and running the program need. Run as
# root, or as a user who may use sudo. Sourced by the other scripts.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  clang   # the second compiler the test command builds with
  libclang-rt-14-dev   # libFuzzer and the sanitizers' runtime for the fuzz harnesses
  python3   # the layer check of the source tree
  libgtest-dev libbenchmark-dev
  libitl-dev   # independent prayer-times library the reference test compares against
  tzdata
  qt6-base-dev libgl-dev   # Qt 6 Widgets and PrintSupport
  qt6-base-private-dev   # the tests queue user input as the desktop sends it
  libzip-dev   # reading the clock-face and sound archives
  qt6-multimedia-dev gstreamer1.0-plugins-base gstreamer1.0-plugins-good gstreamer1.0-alsa   # sounds
  fontconfig fonts-liberation2 fonts-noto-core   # Latin and Arabic fonts for the forms and pages
  qt6-translations-l10n   # Qt's own dialogs (open, save, print, font, message buttons) in Arabic
  poppler-utils   # pdfinfo, pdftotext, pdffonts: the printing tests read the PDF files back
  gstreamer1.0-tools   # encoding the wizard's compressed test tone (tools/make_mp3_test_tone.py)
  ftp python3-pyftpdlib   # the ftp client of the tester's script and the test FTP server
  libcurl4-openssl-dev   # Live Update over FTP and HTTP
  libcups2-dev   # asking CUPS whether a printer's queue takes jobs and how it answered a job
  cups printer-driver-cups-pdf   # the print test through a private scheduler and a cups-pdf queue
  dpkg-dev   # dpkg-shlibdeps: the library dependencies of the Debian package
  desktop-file-utils appstream   # validating the desktop entries (package, autostart) and metainfo
  lintian   # checking the Debian package (scripts/test-package.sh)
  groff-base man-db   # rendering the manual pages with their warnings (tests/packaging)
  faketime   # the test suite at awkward instants of the clock (install-and-test.sh)
)
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${packages[@]}"
