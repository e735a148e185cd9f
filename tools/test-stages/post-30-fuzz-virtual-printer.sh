#!/usr/bin/env bash
# Fuzzes the virtual printer's ESC/POS interpreter for a bounded time under
# AddressSanitizer and UndefinedBehaviorSanitizer, from a few hand-written streams. A
# finding fails the stage and leaves its input in artifacts/.
set -euo pipefail
# The interpreter's target is built in the clang tree of the other fuzz targets.
source "$(dirname "$0")/../fuzz-tree.sh" interpreter_fuzz

fuzz_folders "$BUILD/fuzz/virtual-printer"
# The first byte of each seed is where the stream is split in two.
seed text '\x05\x1b\x61\x31ABC\r\n\x1d\x21\x11\xb2\xe2\xca\xd4\r\n\x1d\x21\x00\x1b\x64\x02\x1d\x56\x00'
seed barcodes '\x09\x1d\x6b\x04123456\x00\x1d\x6b\x49\x0d1234567890123\x1d\x6b\x021234567890123\x00\x1d\x6b\x0312345678\x00'
seed images '\x03\x1c\x71\x01\x01\x00\x01\x00\x80\x40\x20\x10\x08\x04\x02\x01\x1c\x70\x01\x30\x1b\x2a\x00\x02\x00\xff\x81'
seed status '\x02\x10\x04\x02\x10\x04\x04\x1d\x46\x01\x1d\x46\x21\x1b\x39\x00\x05\x0a\x1d\x0c\x1b\x6d\x1b\x69'
seed truncated '\x04\x1c\x71\x01\x10\x00\x20\x00\x01\x02\x1d\x6b\x04999'

# One process fuzzes alone: rereading the corpus folder for others' finds costs time.
QT_QPA_PLATFORM=offscreen fuzz_run "$BUILD/fuzz/virtual-printer/interpreter_fuzz" virtual-printer \
  -max_len=70000 -timeout=20 -reload=0
