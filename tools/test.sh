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

# A fuzz stage keeps one core busy for its minute: as many run side by side as there are
# cores, each stage's output shown when it has ended, in order; a failed one ends the run
# once those running beside it have ended too.
fuzzing=()
declare -A fuzz_pid fuzz_log
wait_for_fuzzing() {
  local stage failed=0
  for stage in "${fuzzing[@]}"; do
    wait "${fuzz_pid[$stage]}" || failed=1
    echo "== $(basename "$stage") =="
    cat "${fuzz_log[$stage]}"
    rm -f "${fuzz_log[$stage]}"
  done
  fuzzing=()
  return "$failed"
}
for stage in tools/test-stages/post-*.sh; do
  if [[ $(basename "$stage") == *-fuzz-* ]]; then
    ((${#fuzzing[@]} < JOBS)) || wait_for_fuzzing
    fuzz_log[$stage]=$(mktemp)
    bash "$stage" >"${fuzz_log[$stage]}" 2>&1 &
    fuzz_pid[$stage]=$!
    fuzzing+=("$stage")
    continue
  fi
  wait_for_fuzzing
  echo "== $(basename "$stage") =="
  bash "$stage"
done
wait_for_fuzzing
