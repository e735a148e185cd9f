#!/usr/bin/env bash
# Pictures of the main window and of the traffic monitor (after the barcode test) on a
# real X server, in Chinese and in English, kept as artefacts.
set -euo pipefail
cd "$(dirname "$0")/../.."
dir=${QUILLORA_ARTIFACTS:-artifacts}
mkdir -p "$dir"
for lang in zh en; do
  suffix=-$lang
  [[ $lang == zh ]] && suffix=""
  out=$dir/main-window$suffix.png
  monitor=$dir/traffic-monitor$suffix.png
  QUILLORA_LANG=$lang QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x1024x24" \
    build-package/tests/app/main_window_screenshot "$out" "$monitor"
  echo "main window picture ($lang): $out"
  echo "traffic monitor picture ($lang): $monitor"
done
