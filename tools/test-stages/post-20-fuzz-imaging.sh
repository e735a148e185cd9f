#!/usr/bin/env bash
# Fuzzes the BMP reader and both bitmap converters for a bounded time under
# AddressSanitizer and UndefinedBehaviorSanitizer, starting from the BMPs that the
# imaging tests write. A finding fails the stage and leaves its input in artifacts/.
set -euo pipefail
source "$(dirname "$0")/../fuzz-tree.sh" imaging_fuzz imaging_fuzz_seeds

SEEDS="$BUILD/fuzz/imaging/seeds"
CORPUS="$BUILD/fuzz/imaging/corpus"
rm -rf "$SEEDS"
mkdir -p "$CORPUS" artifacts
"$BUILD/fuzz/imaging/imaging_fuzz_seeds" "$SEEDS"

# New inputs go to the working corpus; the seeds stay as the tests wrote them.
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  "$BUILD/fuzz/imaging/imaging_fuzz" -max_total_time="$SECONDS_TO_RUN" -max_len=8192 \
  -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix=artifacts/fuzz-imaging- \
  "$CORPUS" "$SEEDS"
