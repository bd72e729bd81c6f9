#!/usr/bin/env bash
# Builds the Debian package (build/package, cpack -G DEB), checks it with lintian (an error or a
# warning fails, but for the first upload's changelog that closes no Debian bug), its notices in
# /usr/share/doc/vek and its manual pages, validates its desktop entry and AppStream metainfo,
# installs it with apt, starts /usr/bin/vek offscreen under an empty HOME (the first start, which
# waits in the first-run wizard) and once more with settings, and removes the package again.
# Fails when the program does not seed its folder from /usr/share/vek, ends during its start-up
# or does not finish it with settings, when the second start leaves the temporary files of the
# stopped first one, when anything under /usr changes while it runs, or when a file of the package
# is left after the removal. Needs the packages of install-packages.sh; run as root, or as a user
# who may use sudo. Refuses to run while a package "vek" is installed.
set -euo pipefail
cd "$(dirname "$0")/.."

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
app_id="invalid.vek.Vek"
jobs=$(nproc)

fail() {
  echo "test-package: $*" >&2
  exit 1
}

vek_installed() {
  dpkg-query -W -f='${Status}' vek 2>/dev/null | grep -q " installed$"
}
if vek_installed; then
  fail "a package vek is installed already; remove it first (apt-get purge vek)"
fi

echo "=== package build ==="
cmake --preset package
cmake --build --preset package -j "${jobs}"
rm -f build/package/vek_*.deb
(cd build/package && cpack -G DEB)
debs=(build/package/vek_*.deb)
if [ "${#debs[@]}" -ne 1 ] || [ ! -f "${debs[0]}" ]; then fail "cpack made no single vek_*.deb"; fi
deb="$(realpath "${debs[0]}")"
dpkg-deb --info "${deb}"
dpkg-deb --contents "${deb}"

work="$(mktemp -d)"
pid=""
installed=0
cleanup() {
  if [ -n "${pid}" ]; then kill "${pid}" 2>/dev/null || true; fi
  if [ "${installed}" -eq 1 ]; then
    DEBIAN_FRONTEND=noninteractive $sudo apt-get purge -y -qq vek || true
  fi
  rm -rf "${work}"
}
trap cleanup EXIT

echo "=== what the package holds ==="
dpkg-deb -x "${deb}" "${work}/tree"
for file in usr/bin/vek usr/bin/dravolen usr/share/vek/VEK.LOC "usr/share/applications/${app_id}.desktop" \
  "usr/share/metainfo/${app_id}.metainfo.xml" usr/share/doc/vek/copyright \
  usr/share/doc/vek/changelog.Debian.gz usr/share/man/man1/vek.1.gz \
  usr/share/man/man1/dravolen.1.gz; do
  [ -f "${work}/tree/${file}" ] || fail "the package lacks /${file}"
done
# The notices: a machine-readable copyright file that names the sources of the location data with
# their licences, and a Debian changelog of this version.
copyright="${work}/tree/usr/share/doc/vek/copyright"
head -n 1 "${copyright}" |
  grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' ||
  fail "/usr/share/doc/vek/copyright is not machine-readable"
for notice in "License: GPL-3+" "/usr/share/common-licenses/GPL-3" "city-timezones" "Kevin Roberts" \
  "Permission is hereby granted, free of charge" "tz database" "public domain"; do
  grep -q "${notice}" "${copyright}" || fail "/usr/share/doc/vek/copyright does not name ${notice}"
done
version="$(dpkg-deb --field "${deb}" Version)"
zcat "${work}/tree/usr/share/doc/vek/changelog.Debian.gz" | head -n 1 | grep -q "^vek (${version}) " ||
  fail "the changelog does not begin with version ${version}"
# The manual pages render without a warning, as lintian renders them.
for page in vek dravolen; do
  notes="$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z \
    "${work}/tree/usr/share/man/man1/${page}.1.gz" 2>&1 >/dev/null)" ||
    fail "man cannot render ${page}(1): ${notes}"
  [ -z "${notes}" ] || fail "man warns about ${page}(1): ${notes}"
done
echo "=== lintian ==="
# Errors and warnings fail the test, but for the one warning of a package that is not in the
# Debian archive: its first changelog entry closes no Debian bug.
lintian --fail-on none --display-level ">=warning" "${deb}" | tee "${work}/lintian.txt" ||
  fail "lintian did not run"
if grep -E '^[EW]: ' "${work}/lintian.txt" | grep -v ' initial-upload-closes-no-bugs'; then
  fail "lintian reports the errors or warnings above"
fi
for size in 16 22 24 32 48 64 128 256; do
  icon="usr/share/icons/hicolor/${size}x${size}/apps/${app_id}.png"
  [ -f "${work}/tree/${icon}" ] || fail "the package lacks /${icon}"
  python3 - "${work}/tree/${icon}" "${size}" <<'EOF' || fail "/${icon} is not a ${size} x ${size} PNG"
import struct, sys
head = open(sys.argv[1], "rb").read(24)
size = int(sys.argv[2])
sys.exit(not (head[:8] == b"\x89PNG\r\n\x1a\n" and struct.unpack(">II", head[16:24]) == (size, size)))
EOF
done
# Warnings and hints count as failures too.
notes="$(desktop-file-validate "${work}/tree/usr/share/applications/${app_id}.desktop" 2>&1)" ||
  fail "desktop-file-validate: ${notes}"
[ -z "${notes}" ] || fail "desktop-file-validate: ${notes}"
appstreamcli validate --no-net "${work}/tree/usr/share/metainfo/${app_id}.metainfo.xml"
depends="$(dpkg-deb --field "${deb}" Depends)"
for needed in libqt6widgets6 libqt6multimedia6 gstreamer1.0-plugins-good fonts-liberation2 \
  fonts-noto-core qt6-translations-l10n; do
  grep -q "${needed}" <<<"${depends}" || fail "the package does not depend on ${needed}"
done

echo "=== install ==="
installed=1
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${deb}"
dpkg-query -L vek >"${work}/files"

echo "=== first start under an empty HOME ==="
# Nothing under /usr may change from here until the program has ended.
touch "${work}/stamp"
sleep 1
home="${work}/home"
mkdir "${home}"
mkdir -m 700 "${work}/runtime"
vek_env=(env -i PATH=/usr/bin:/bin HOME="${home}" LANG=C.UTF-8 QT_QPA_PLATFORM=offscreen
  TMPDIR="${work}" XDG_RUNTIME_DIR="${work}/runtime")
folder="${home}/.local/share/vek"
# Starts vek in the background and waits until FILE is in its folder and not empty, then two
# seconds more; fails when the program ends before.
start_vek_until() {
  # A simple command in the background: $! is the program itself (env executes it), so the
  # signal below reaches vek and not a shell that would leave it running.
  "${vek_env[@]}" /usr/bin/vek >>"${work}/vek.log" 2>&1 &
  pid=$!
  for _ in $(seq 1 300); do
    [ -s "${folder}/$1" ] && break
    kill -0 "${pid}" 2>/dev/null || break
    sleep 0.1
  done
  sleep 2
  kill -0 "${pid}" 2>/dev/null || {
    cat "${work}/vek.log" >&2
    fail "vek ended during its start-up"
  }
  [ -s "${folder}/$1" ] || {
    cat "${work}/vek.log" >&2
    fail "vek did not write ${folder}/$1 at its start-up"
  }
}
stop_vek() {
  kill -TERM "${pid}"
  local status=0
  wait "${pid}" || status=$?
  pid=""
  # Ended by the signal (143), or by a handler of it.
  [ "${status}" -eq 143 ] || [ "${status}" -eq 0 ] || {
    cat "${work}/vek.log" >&2
    fail "vek was not running until SIGTERM (exit status ${status})"
  }
}

# The first start seeds the program folder, then waits in the first-run wizard, which nothing
# answers here; VEK.INI is written once the wizard is done.
start_vek_until VEK.LOC
cmp /usr/share/vek/VEK.LOC "${folder}/VEK.LOC" || fail "the program folder was not seeded"
# The running program's temporary files lie in a folder of its own in its private folder.
temp="${work}/vek-temp-$(id -u)"
first_temp=("${temp}"/run-*)
[ "${#first_temp[@]}" -eq 1 ] && [ -d "${first_temp[0]}" ] ||
  fail "the running program has no folder of its own in ${temp}"
[ "$(stat -c %a "${temp}")" = 700 ] || fail "${temp} is open to other users"
# A second start finds the running one, asks it to come to the front, and ends at once.
"${vek_env[@]}" timeout 20 /usr/bin/vek >>"${work}/vek.log" 2>&1 ||
  fail "a second start did not hand over to the running program"
stop_vek
# With settings there is no wizard: the start-up runs to its end, where it writes VEK.INI.
: >"${folder}/VEK.INI"
start_vek_until VEK.INI
# A stop by a signal leaves the temporary files; the next start removes them.
[ ! -e "${first_temp[0]}" ] || fail "the second start left the first one's ${first_temp[0]}"
stop_vek
echo "What the program wrote to its output:"
cat "${work}/vek.log"
echo "The program folder after the two starts:"
ls -la "${folder}"

changed="$($sudo find /usr -xdev -newer "${work}/stamp" -print)"
[ -z "${changed}" ] || fail "changed under /usr while vek ran: ${changed}"
$sudo dpkg --verify vek || fail "the installed files of vek were changed"

echo "=== removal ==="
DEBIAN_FRONTEND=noninteractive $sudo apt-get purge -y -qq vek
installed=0
if vek_installed; then fail "vek is still installed"; fi
left=""
while IFS= read -r path; do
  [ "${path}" = "/." ] && continue
  if [ -d "${path}" ] && [ ! -L "${path}" ]; then
    # A folder of the package stays only while another package or another file uses it.
    if [ -z "$(ls -A "${path}")" ] && ! dpkg-query -S "${path}" >/dev/null 2>&1; then
      left+="${path}"$'\n'
    fi
  elif [ -e "${path}" ] || [ -L "${path}" ]; then
    left+="${path}"$'\n'
  fi
done <"${work}/files"
[ -z "${left}" ] || fail "left after the removal: ${left}"
echo "The package was built, installed, started and removed without trace."
