#!/usr/bin/env bash
# Builds the benchmarks the way tools/bench.sh does, so that the benchmark command cannot
# break unnoticed. In tools/test.sh that is the tree of the plain test build, which has
# built them already. Running the benchmarks is left to tools/bench.sh: their figures need
# an idle machine.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
cd "$ROOT"
source tools/release-tree.sh ON ON
cmake --build "$RELEASE_TREE" -j "${JOBS:-$(nproc)}" --target benchmarks
