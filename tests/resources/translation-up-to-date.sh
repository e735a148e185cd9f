#!/usr/bin/env bash
# Fails when the English translation is behind the sources: lupdate runs over them onto a
# copy of the .ts, as `cmake --build build --target update_translations` does, and any text
# it adds, leaves unfinished or drops is shown.
# Usage: translation-up-to-date.sh LUPDATE TS_FILE SOURCE_LIST INCLUDE_DIR
set -euo pipefail
lupdate=$1 ts=$2 list=$3 include=$4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$ts" "$work/quillora_en.ts"
mapfile -t sources <"$list"
if ! "$lupdate" -no-obsolete -locations none -source-language zh_CN -target-language en \
  -tr-function-alias QT_TRANSLATE_NOOP+=TranslateLater -I "$include" \
  "${sources[@]}" -ts "$work/quillora_en.ts" >"$work/log" 2>&1; then
  cat "$work/log"
  exit 1
fi
status=0
if grep -q 'type="unfinished"' "$work/quillora_en.ts"; then
  echo "texts without an English translation:"
  grep -B2 'type="unfinished"' "$work/quillora_en.ts" | grep '<source>'
  status=1
fi
if ! diff -u "$ts" "$work/quillora_en.ts"; then
  echo "the translation source is not what lupdate makes of the sources:" \
    "run update_translations and translate what it added"
  status=1
fi
exit $status
