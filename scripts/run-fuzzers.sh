#!/usr/bin/env bash
# Runs every fuzz harness of a build made with the preset "fuzz": first over its committed seed
# corpus (fuzz/corpus/<harness>/), then for a fixed time from it. Fails on any crash, leak,
# sanitizer report, time-out or failed check; the input that caused it is kept under
# <build>/fuzz-artifacts/.
#   scripts/run-fuzzers.sh [build folder] [seconds per harness]
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build/fuzz}"
seconds="${2:-20}"
harnesses=(location_file_fuzz settings_fuzz engine_fuzz zip_entry_fuzz cp1256_fuzz
           command_line_fuzz listing_fuzz download_check_fuzz printer_attributes_fuzz
           user_dirs_fuzz)
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"

# The harnesses' scratch files, in memory where the system has a place for it.
scratch_base=/dev/shm
[ -d "${scratch_base}" ] && [ -w "${scratch_base}" ] || scratch_base="${TMPDIR:-/tmp}"
VEK_FUZZ_SCRATCH="$(mktemp -d "${scratch_base}/vek-fuzz-run.XXXXXX")"
export VEK_FUZZ_SCRATCH
trap 'rm -rf "${VEK_FUZZ_SCRATCH}"' EXIT

artifacts="${build}/fuzz-artifacts"
mkdir -p "${artifacts}"
for harness in "${harnesses[@]}"; do
  program="${build}/fuzz/${harness}"
  seeds="fuzz/corpus/${harness}"
  work="${build}/fuzz-work/${harness}"
  rm -rf "${work}"
  mkdir -p "${work}"
  echo "=== ${harness}: seed corpus, then ${seconds} s"
  "${program}" -runs=0 -artifact_prefix="${artifacts}/${harness}-" "${seeds}"
  # New inputs go to the work folder; the committed seeds stay as they are.
  log="${build}/fuzz-work/${harness}.log"
  if ! "${program}" -max_total_time="${seconds}" -max_len=8192 -timeout=10 -rss_limit_mb=2048 \
      -print_final_stats=1 -artifact_prefix="${artifacts}/${harness}-" "${work}" "${seeds}" \
      > "${log}" 2>&1; then
    cat "${log}"
    echo "=== ${harness} FAILED; the input is in ${artifacts}/"
    exit 1
  fi
  grep -E '^(Done|stat::number_of_executed_units|stat::peak_rss_mb)' "${log}" || true
done
