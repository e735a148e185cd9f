#!/usr/bin/env bash
# A picture of the main window on a real X server, kept as an artefact.
set -euo pipefail
cd "$(dirname "$0")/../.."
out=artifacts/main-window.png
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x1024x24" \
  build/tests/app/main_window_screenshot "$out"
echo "main window picture: $out"
