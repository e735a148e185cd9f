#!/usr/bin/env bash
# Fuzzes the BMP reader and both bitmap converters for a bounded time under
# AddressSanitizer and UndefinedBehaviorSanitizer, starting from the BMPs that the
# imaging tests write. A finding fails the stage and leaves its input in artifacts/.
set -euo pipefail
source "$(dirname "$0")/../fuzz-tree.sh" imaging_fuzz imaging_fuzz_seeds

fuzz_folders "$BUILD/fuzz/imaging"
"$BUILD/fuzz/imaging/imaging_fuzz_seeds" "$SEEDS"

# New inputs go to the working corpus; the seeds stay as the tests wrote them.
fuzz_run "$BUILD/fuzz/imaging/imaging_fuzz" imaging -max_len=8192
