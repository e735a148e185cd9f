#!/usr/bin/env bash
# Builds the Debian package build-package/quillora_<version>_<arch>.deb: the program, the
# virtual printer, the menu entry, the icons, the AppStream file and the manual pages.
# Install it with: sudo apt install ./build-package/quillora_<version>_<arch>.deb
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
cd "$ROOT"

bash tools/setup-deps.sh

# Debian's own hardening and optimisation flags, as every package of the archive gets them.
eval "$(DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --export=sh)"
export CFLAGS="$CPPFLAGS $CFLAGS" CXXFLAGS="$CPPFLAGS $CXXFLAGS"
cmake -S . -B build-package -G Ninja -DCMAKE_BUILD_TYPE=None -DCMAKE_INSTALL_PREFIX=/usr \
  -DQUILLORA_BUILD_TESTS=OFF -DQUILLORA_BUILD_BENCH=OFF >/dev/null
cmake --build build-package -j "$(nproc)"
(cd build-package && cpack -G DEB >/dev/null)
deb=$(ls build-package/quillora_*.deb)
echo "package: $deb ($(du -k "$deb" | cut -f1) KiB)"
