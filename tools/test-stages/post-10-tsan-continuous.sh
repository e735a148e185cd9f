#!/usr/bin/env bash
# The continuous test's tests once more under ThreadSanitizer: the worker thread and the
# user-interface thread share the window's fields and its controls. The traffic monitor's
# tests too: the worker records into the log that the monitor reads on the UI thread. And
# the buttons' sends: the background sender's worker, a cancel and the progress read from
# the UI thread, and the short sends made on the UI thread between the worker's jobs.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
cd "$ROOT"

cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DQUILLORA_SANITIZE=thread -DQUILLORA_BUILD_BENCH=OFF >/dev/null
# Only the programs whose cases run here (port_ and commands_thread_tests hold the at-once
# and background sends alone).
cmake --build build-tsan -j "${JOBS:-$(nproc)}" --target continuous_tests monitor_tests \
  port_thread_tests commands_thread_tests

export QT_QPA_PLATFORM=offscreen
TSAN_OPTIONS="halt_on_error=1:second_deadlock_stack=1:suppressions=$ROOT/tools/tsan.supp" \
  ctest --test-dir build-tsan -L '^(continuous_tests|monitor_tests)$' --output-on-failure
TSAN_OPTIONS="halt_on_error=1:second_deadlock_stack=1:suppressions=$ROOT/tools/tsan.supp" \
  ctest --test-dir build-tsan -R '^(AtOnceSend|BackgroundSend)\.' --output-on-failure
