#!/usr/bin/env bash
# The ESC/POS client libraries whose receipts the virtual printer's tests replay, at the
# versions pinned in tests/virtual-printer/clients/package-lock.json. Sourced by
# tools/test.sh; also runs on its own. npm ci installs exactly the lock file every time.
(
  set -euo pipefail
  cd "$(dirname "${BASH_SOURCE[0]}")/../../tests/virtual-printer/clients"
  if ! command -v npm >/dev/null; then
    # Debian's nodejs comes without npm; a nodejs that bundles it needs nothing more.
    SUDO=""
    if [[ $(id -u) -ne 0 ]]; then SUDO="sudo"; fi
    $SUDO apt-get install -y -qq --no-install-recommends npm
  fi
  npm ci --no-audit --no-fund --loglevel=error
  echo "npm clients installed in $(pwd)/node_modules"
)
