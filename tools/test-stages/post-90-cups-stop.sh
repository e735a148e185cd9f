#!/usr/bin/env bash
# Stops the private CUPS scheduler that pre-10-cups.sh started, after every other stage
# that may print through it.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
if [[ -n ${QUILLORA_CUPS_DIR:-} ]]; then
  bash "$ROOT/tools/cups/stop-scheduler.sh" "$QUILLORA_CUPS_DIR"
  echo "private CUPS scheduler stopped"
fi
