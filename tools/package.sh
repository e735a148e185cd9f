#!/usr/bin/env bash
# Builds the Debian package build-package/quillora_<version>_<arch>.deb: the program, the
# virtual printer, the menu entry, the icons, the AppStream file and the manual pages.
# Install it with: sudo apt install ./build-package/quillora_<version>_<arch>.deb
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
cd "$ROOT"

bash tools/setup-deps.sh

# Debian's own hardening and optimisation flags, as every package of the archive gets them;
# what tools/test.sh or tools/bench.sh compiled there already is not compiled again.
source tools/release-tree.sh OFF OFF
cmake --build "$RELEASE_TREE" -j "$(nproc)"
(cd "$RELEASE_TREE" && cpack -G DEB >/dev/null)
deb=$(ls "$RELEASE_TREE"/quillora_*.deb)
echo "package: $deb ($(du -k "$deb" | cut -f1) KiB)"
