#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program in ./run (its working folder)
# with the virtual receipt printer behind it: TCP on 127.0.0.1:9100 (the "IP" entry) and a
# pseudo-terminal as COM1. Receipts appear in ./run/receipts. Without a display, it sends a
# demonstration stream to the virtual printer instead and says where the receipt is.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
cd "$ROOT"

# Only what building and running need. With the test set (setup-deps.sh --test) there, the
# tests and benchmarks stay configured, so that a developer's build of this folder keeps them.
bash tools/setup-deps.sh
with_tests=OFF
if bash tools/setup-deps.sh --test --check; then with_tests=ON; fi
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DQUILLORA_BUILD_TESTS=$with_tests -DQUILLORA_BUILD_BENCH=$with_tests >/dev/null
cmake --build build -j "$(nproc)" --target quillora quillora-virtual-printer

RUN="$ROOT/run"
RECEIPTS="$RUN/receipts"
mkdir -p "$RECEIPTS"

# The "IP" entry of the connection list reaches 127.0.0.1; other settings stay as they are.
ini="$RUN/Option.ini"
if [[ ! -f $ini ]]; then
  printf '[System]\r\nIp1=127\r\nIp2=0\r\nIp3=0\r\nIp4=1\r\n' >"$ini"
else
  awk 'BEGIN { split("127 0 0 1", ip, " ") }
    function flush() { for (i = 1; i <= 4; i++) if (!done[i]) print "Ip" i "=" ip[i] "\r"; }
    { line = $0; sub(/\r$/, "", line) }
    line ~ /^\[/ { if (insys) flush(); insys = (tolower(line) == "[system]"); seen = seen || insys; print; next }
    insys && match(tolower(line), /^ip[1-4][ \t]*=/) { k = substr(line, 3, 1); print "Ip" k "=" ip[k] "\r"; done[k] = 1; next }
    { print }
    END { if (insys) flush(); if (!seen) { print "[System]\r"; flush() } }' "$ini" >"$ini.new"
  mv "$ini.new" "$ini"
fi

"$ROOT/build/src/virtual-printer/app/quillora-virtual-printer" --tcp 127.0.0.1:9100 \
  --pty-link "$RUN/COM1" --out "$RECEIPTS" >"$RUN/virtual-printer.out" 2>&1 &
PRINTER=$!
trap 'kill "$PRINTER" 2>/dev/null; wait "$PRINTER" 2>/dev/null || true' EXIT
for _ in $(seq 100); do
  grep -q "ready:" "$RUN/virtual-printer.out" 2>/dev/null && break
  if ! kill -0 "$PRINTER" 2>/dev/null; then
    echo "The virtual printer did not start:" >&2
    cat "$RUN/virtual-printer.out" >&2
    exit 1
  fi
  sleep 0.1
done
echo "Virtual printer: TCP 127.0.0.1:9100 (list entry \"IP\") and COM1 ($RUN/COM1)."
echo "Receipts (PNG of the paper, raw bytes) and printer.log appear in $RECEIPTS"

if [[ -n ${DISPLAY:-} || -n ${WAYLAND_DISPLAY:-} ]]; then
  export QUILLORA_PORTS="COM1=$RUN/COM1"
  (cd "$RUN" && "$ROOT/build/src/quillora") || true
  echo "Program closed; virtual printer stopped. Receipts: $RECEIPTS"
  exit 0
fi

# No display: show what the printer makes of a short ESC/POS stream sent over TCP.
gbk() { printf '%s' "$1" | iconv -f UTF-8 -t GBK; }
{
  printf '\x1b\x61\x31'; gbk "虚拟打印机演示"; printf '\r\n\x1b\x61\x30'
  printf '\x1d\x21\x11'; gbk "倍高倍宽ABC123"; printf '\r\n\x1d\x21\x00'
  printf 'CODE39\r\n\x1d\x6b\x04123456\x00\r\n'
  printf '\x1b\x39\x00\x05\x0a\x1b\x64\x03\x1d\x56\x00'
} >"$RUN/demo.bin"
exec 3<>/dev/tcp/127.0.0.1/9100
cat "$RUN/demo.bin" >&3
exec 3>&-
for _ in $(seq 50); do
  grep -q "ended by" "$RECEIPTS/printer.log" 2>/dev/null && break
  sleep 0.1
done
echo "No display (neither DISPLAY nor WAYLAND_DISPLAY is set), so the program was not started."
echo "Instead a demonstration stream ($RUN/demo.bin) went to the virtual printer over TCP:"
grep "ended by" "$RECEIPTS/printer.log" | tail -n 1
echo "To use the program here, run it under a virtual X server (xvfb-run is in the package"
echo "xvfb, part of the test set: bash tools/setup-deps.sh --test):"
echo "  (cd run && QUILLORA_PORTS=COM1=$RUN/COM1 xvfb-run -a $ROOT/build/src/quillora)"
