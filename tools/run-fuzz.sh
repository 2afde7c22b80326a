#!/bin/sh
# Builds the fuzz targets in their own clang configuration and runs each for a
# bounded time (VANTORIA_FUZZ_SECONDS, default 12), as a unity build (one
# parse of the Qt headers per target). Fails when clang is
# missing: the fuzz tests never pass by being skipped.
set -eu
source_dir=$(cd "$(dirname "$0")/.." && pwd)
build_dir=${VANTORIA_FUZZ_BUILD_DIR:-$source_dir/build-fuzz}
seconds=${VANTORIA_FUZZ_SECONDS:-12}

if ! command -v clang++ >/dev/null 2>&1; then
    echo "run-fuzz: clang++ is not installed (apt-get install clang libclang-rt-14-dev)" >&2
    exit 1
fi
cmake -S "$source_dir" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -g1 -DNDEBUG" \
    -DCMAKE_CXX_COMPILER=clang++ -DVANTORIA_FUZZ=ON -DVANTORIA_FUZZ_SECONDS="$seconds" \
    -DVANTORIA_BUILD_BENCHMARKS=OFF -DCMAKE_UNITY_BUILD=ON >/dev/null
cmake --build "$build_dir" -j2 --target vantoria_fuzz_targets
log="$build_dir/fuzz-run.log"
status=0
ctest --test-dir "$build_dir" -L fuzz -R '^fuzz_' --output-on-failure -V >"$log" 2>&1 || status=$?
grep -E "stat::number_of_executed_units|: 0 crashes|FAILED|invariant|ERROR|SUMMARY|tests passed|tests failed" "$log" \
    | sed -E 's/^[0-9]+: //'
exit $status
