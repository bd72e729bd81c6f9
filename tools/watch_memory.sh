#!/usr/bin/env bash
# Runs the real program at real speed under a virtual X server and prints its resident memory
# (RSS) each minute: a program that runs from log-in to log-out must not grow with the minutes.
# The program starts in a new program folder of its own (the shipped VEK.LOC, Cairo, English,
# nothing touched after), with the XDG folders in the same temporary place, so that nothing of
# the user's is read or written.
#
# A developer tool, not part of the tests. It needs Xvfb (Debian package xvfb:
# `apt-get install xvfb`). Target: from the end of minute 2 to the end of the run the RSS grows
# by at most 1 MB (1000 kB) in all; the exit status is 0 when it holds, 1 when it does not.
#
# Usage: tools/watch_memory.sh [path/to/vek] [minutes]
#   default: build/default/vek of this source tree, 30 minutes.
set -euo pipefail

source_dir="$(cd "$(dirname "$0")/.." && pwd)"
vek="${1:-${source_dir}/build/default/vek}"
minutes="${2:-30}"
limit_kb=1000

if ! command -v Xvfb > /dev/null; then
  echo "watch_memory: Xvfb is needed (Debian package xvfb)" >&2
  exit 2
fi
if [[ ! -x "${vek}" ]]; then
  echo "watch_memory: no program at ${vek}; build it first" >&2
  exit 2
fi
if ((minutes < 3)); then
  echo "watch_memory: run at least 3 minutes" >&2
  exit 2
fi

work="$(mktemp -d "${TMPDIR:-/tmp}/vek-memory-XXXXXX")"
xvfb_pid=""
vek_pid=""
finish() {
  local status=$?
  for pid in "${vek_pid}" "${xvfb_pid}"; do
    if [[ -n "${pid}" ]]; then
      kill "${pid}" 2> /dev/null || true
      wait "${pid}" 2> /dev/null || true
    fi
  done
  rm -rf "${work}"
  exit "${status}"
}
trap finish EXIT

# The program folder and a settings file as a used program has it: no first-run wizard.
mkdir -p "${work}/home" "${work}/config" "${work}/data" "${work}/cache" "${work}/runtime"
chmod 700 "${work}/runtime"
cp "${source_dir}/resources/VEK.LOC" "${work}/home/VEK.LOC"
printf '[Orvessa, by Al Tovarelin]\r\nLanguage=English\r\nSelectedCity=CAIRO\r\n' \
  > "${work}/home/VEK.INI"

# Xvfb picks a free display and writes its number once it accepts clients.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3> "${work}/display" 2> "${work}/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do
  [[ -s "${work}/display" ]] && break
  sleep 0.1
done
if [[ ! -s "${work}/display" ]]; then
  echo "watch_memory: Xvfb did not start:" >&2
  cat "${work}/xvfb.log" >&2
  exit 2
fi

DISPLAY=":$(head -n 1 "${work}/display")" QT_QPA_PLATFORM=xcb VEK_HOME="${work}/home" \
  XDG_CONFIG_HOME="${work}/config" XDG_DATA_HOME="${work}/data" \
  XDG_CACHE_HOME="${work}/cache" XDG_RUNTIME_DIR="${work}/runtime" \
  "${vek}" > "${work}/vek.log" 2>&1 &
vek_pid=$!

rss_kb() {
  awk '/^VmRSS:/ { print $2 }' "/proc/${vek_pid}/status" 2> /dev/null
}

echo "program: ${vek} (pid ${vek_pid}), ${minutes} minutes"
baseline=""
for ((minute = 1; minute <= minutes; ++minute)); do
  sleep 60
  rss="$(rss_kb)"
  if [[ -z "${rss}" ]]; then
    echo "watch_memory: the program ended after ${minute} minutes:" >&2
    cat "${work}/vek.log" >&2
    exit 2
  fi
  echo "minute ${minute}: RSS ${rss} kB"
  ((minute == 2)) && baseline="${rss}"
done

growth=$((rss - baseline))
echo "growth after minute 2: ${growth} kB (target: at most ${limit_kb} kB)"
((growth <= limit_kb))
