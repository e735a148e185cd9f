#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program in ./run (its working folder).
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
cd "$ROOT"

bash tools/setup-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)" --target quillora

mkdir -p run
cd run
exec "$ROOT/build/src/quillora"
