#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the plain build, then the same
# tests under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
cd "$ROOT"
JOBS=$(nproc)

bash tools/setup-deps.sh --test

export QT_QPA_PLATFORM=offscreen
mkdir -p artifacts
# Tests that print save pictures of their pages here.
export QUILLORA_ARTIFACTS=$ROOT/artifacts

# Stages that prepare what the tests need (for example a private CUPS scheduler) are
# sourced here, so what they export reaches the tests; stages that run after the two
# test builds (ThreadSanitizer, fuzzing, screenshots) are run at the end.
shopt -s nullglob
for stage in tools/test-stages/pre-*.sh; do
  echo "== $(basename "$stage") =="
  # shellcheck disable=SC1090
  source "$stage"
done

echo "== build (as the package is built) =="
# The tree that the package and the benchmarks are built in (tools/release-tree.sh), with
# the tests and benchmarks on: the later stages that need it find it built.
source tools/release-tree.sh ON ON
cmake --build "$RELEASE_TREE" -j "$JOBS"

echo "== tests =="
ctest --test-dir "$RELEASE_TREE" -j "$JOBS" --output-on-failure

echo "== build (AddressSanitizer + UndefinedBehaviorSanitizer) =="
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DQUILLORA_SANITIZE=address,undefined -DQUILLORA_BUILD_TESTS=ON -DQUILLORA_BUILD_BENCH=OFF \
  >/dev/null
cmake --build build-asan -j "$JOBS"

echo "== tests under ASan/UBSan =="
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
LSAN_OPTIONS=suppressions=$ROOT/tools/lsan.supp:print_suppressions=0 \
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-asan -j "$JOBS" --output-on-failure

for stage in tools/test-stages/post-*.sh; do
  echo "== $(basename "$stage") =="
  bash "$stage"
done
