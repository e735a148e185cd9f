#!/usr/bin/env bash
# The continuous test's tests once more under ThreadSanitizer: the worker thread and the
# user-interface thread share the window's fields and its controls. The traffic monitor's
# tests too: the worker records into the log that the monitor reads on the UI thread.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
cd "$ROOT"

cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DQUILLORA_SANITIZE=thread -DQUILLORA_BUILD_BENCH=OFF >/dev/null
cmake --build build-tsan -j "${JOBS:-$(nproc)}" --target continuous_tests monitor_tests

export QT_QPA_PLATFORM=offscreen
TSAN_OPTIONS="halt_on_error=1:second_deadlock_stack=1:suppressions=$ROOT/tools/tsan.supp" \
  ctest --test-dir build-tsan -L '^(continuous_tests|monitor_tests)$' --output-on-failure
