#!/bin/sh
# run_fuzz_target.sh <fuzzer> <seconds> <max length> <work folder> <kept corpus> [seed folders...]
# Runs one fuzz target for a bounded time. A crash, a hang of more than five
# seconds on one input, a sanitizer report or a broken invariant fails the run;
# the input that did it lands in <work folder>/ and belongs in the kept corpus.
set -eu
fuzzer=$1 seconds=$2 max_len=$3 work=$4 kept=$5
shift 5
rm -rf "$work"
mkdir -p "$work/new" "$kept"
seeds=""
for folder in "$@"; do
    [ -d "$folder" ] && seeds="$seeds $folder"
done
# In memory when the machine offers it; removed with the work folder.
scratch_base=/dev/shm
[ -d "$scratch_base" ] || scratch_base=${TMPDIR:-/tmp}
export VANTORIA_FUZZ_SCRATCH="$scratch_base/vantoria-fuzz-$$"
trap 'rm -rf "$VANTORIA_FUZZ_SCRATCH"' EXIT
export ASAN_OPTIONS="halt_on_error=1:abort_on_error=0:detect_leaks=1:${ASAN_OPTIONS:-}"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1:${UBSAN_OPTIONS:-}"
export LSAN_OPTIONS="suppressions=$(dirname "$0")/../sanitizers/lsan.supp:${LSAN_OPTIONS:-}"
# shellcheck disable=SC2086
"$fuzzer" -max_total_time="$seconds" -timeout=5 -rss_limit_mb=2048 -max_len="$max_len" \
    -print_final_stats=1 -artifact_prefix="$work/" "$work/new" "$kept" $seeds 2>"$work/log" || {
    status=$?
    tail -n 60 "$work/log"
    echo "FAILED: $(basename "$fuzzer") (exit $status); the failing input is in $work/" >&2
    exit 1
}
grep -E "^stat::(number_of_executed_units|peak_rss_mb)|^Done " "$work/log" || true
echo "$(basename "$fuzzer"): 0 crashes"
