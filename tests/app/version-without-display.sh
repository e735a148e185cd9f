#!/usr/bin/env bash
# `quillora --version` and `--help` answer and exit 0 with no display at all (no
# DISPLAY, no WAYLAND_DISPLAY, no platform chosen), and open no window.
# Usage: version-without-display.sh BIN_DIR VERSION
set -euo pipefail
program="$1/quillora"
expected="Quillora $2"
run() { env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM timeout 30 "$program" "$@"; }

version=$(run --version)
[[ $version == "$expected" ]] || { echo "FAIL: --version printed '$version', not '$expected'"; exit 1; }
help=$(run --help)
[[ $help == "Usage: quillora [--data-home] [Qt options]"* ]] ||
  { echo "FAIL: --help printed: $help"; exit 1; }
for word in --data-home QUILLORA_PORTS dialout; do
  grep -q -- "$word" <<<"$help" || { echo "FAIL: --help does not name $word"; exit 1; }
done
echo "PASS: $version; usage printed"
