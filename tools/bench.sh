#!/usr/bin/env bash
# Installs what is missing, builds the benchmarks (bench/<area>/) and the programs they start
# as the package is built, so that they time what is shipped, and runs them.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
cd "$ROOT"

bash tools/setup-deps.sh --test
source tools/release-tree.sh ON ON
cmake --build "$RELEASE_TREE" -j "$(nproc)" --target benchmarks

for bench in "$RELEASE_TREE"/bench/*/*_bench; do
  echo "== $(basename "$bench") =="
  "$bench" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
done
