#!/usr/bin/env bash
# Installs what is missing, builds optimised, and runs every benchmark (bench/<area>/).
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
cd "$ROOT"

bash tools/setup-deps.sh --test
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-bench -j "$(nproc)"

for bench in build-bench/bench/*/*_bench; do
  echo "== $(basename "$bench") =="
  "$bench" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
done
