#!/bin/sh
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer in
# build-asan and runs the whole test suite there, except the tests that need a
# browser, an installed package, clang or real Syncthing instances (labels
# browser, install, fuzz, sync), the
# static checks (tidy, format, layers: the same sources as the main suite),
# and only under the C locale and offscreen (the German and real-desktop runs
# are in the main suite), to keep the whole test run short. -O1, as the
# sanitizers advise, and line tables only: the reports name file and line.
# A unity build (the sources of a target compiled together) parses the Qt
# headers once per target: a quarter less compiler time on two cores.
# Any sanitizer report ends its test with a failure.
set -eu
source_dir=$(cd "$(dirname "$0")/.." && pwd)
build_dir=${VANTORIA_ASAN_BUILD_DIR:-$source_dir/build-asan}
jobs=${VANTORIA_JOBS:-2}

export ASAN_OPTIONS="halt_on_error=1:abort_on_error=0:detect_leaks=1:detect_stack_use_after_return=1:strict_init_order=1${ASAN_OPTIONS:+:$ASAN_OPTIONS}"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1${UBSAN_OPTIONS:+:$UBSAN_OPTIONS}"
export LSAN_OPTIONS="suppressions=$source_dir/tests/sanitizers/lsan.supp:print_suppressions=0${LSAN_OPTIONS:+:$LSAN_OPTIONS}"

cmake -S "$source_dir" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=None -DCMAKE_CXX_FLAGS="-O1 -g1" \
    -DVANTORIA_SANITIZE=ON -DVANTORIA_BUILD_BENCHMARKS=OFF -DCMAKE_UNITY_BUILD=ON >/dev/null
cmake --build "$build_dir" -j"$jobs"
ctest --test-dir "$build_dir" -LE '^(browser|install|fuzz|sanitize|german|desktop|tidy|sync)$' \
    -E '^(format|include_layers)$' -j"$jobs" --output-on-failure "$@"
