#!/usr/bin/env bash
# Builds everything the way tools/bench.sh does (Release, -O3), so a warning that only
# the optimiser raises cannot break the benchmark command unnoticed. Running the benchmarks
# is left to tools/bench.sh: their figures need an idle machine.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
cd "$ROOT"
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-bench -j "${JOBS:-$(nproc)}"
