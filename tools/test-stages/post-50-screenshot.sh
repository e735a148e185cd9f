#!/usr/bin/env bash
# Pictures of the main window and of the traffic monitor (after the barcode test) on a
# real X server, kept as artefacts.
set -euo pipefail
cd "$(dirname "$0")/../.."
out=artifacts/main-window.png
monitor=artifacts/traffic-monitor.png
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x1024x24" \
  build/tests/app/main_window_screenshot "$out" "$monitor"
echo "main window picture: $out"
echo "traffic monitor picture: $monitor"
