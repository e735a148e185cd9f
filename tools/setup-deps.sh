#!/usr/bin/env bash
# Installs the Debian packages that the project needs, in two sets:
#   bash tools/setup-deps.sh           building and running (tools/run.sh, tools/package.sh)
#   bash tools/setup-deps.sh --test    that and what testing adds (tools/test.sh, bench.sh)
#   ... --list                         prints the set's packages, one a line, and stops
#   ... --check                        exits 0 when the set is installed, 1 when not
# Idempotent: packages already present are left alone and apt is not asked. Installing
# needs root: as root apt-get runs directly, otherwise through sudo; without sudo the
# script prints the apt-get line to run as root and stops.
set -euo pipefail

BUILD_RUN=(
  build-essential cmake ninja-build pkg-config ccache file
  qt6-base-dev qt6-base-dev-tools
  qt6-tools-dev qt6-l10n-tools
  libgl-dev libglx-dev
  libcups2-dev
  libzint-dev
  fonts-noto-cjk
)
TEST=(
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev
  cups cups-daemon cups-client cups-bsd cups-filters printer-driver-cups-pdf
  ghostscript poppler-utils
  zbar-tools libzxing-dev
  nodejs
  xvfb xauth
  lintian desktop-file-utils appstream man-db
)

packages=("${BUILD_RUN[@]}")
mode=install
for argument in "$@"; do
  case $argument in
    --test) packages+=("${TEST[@]}") ;;
    --list) mode=list ;;
    --check) mode=check ;;
    *) echo "usage: $0 [--test] [--list|--check]" >&2; exit 2 ;;
  esac
done
if [[ $mode == list ]]; then
  printf '%s\n' "${packages[@]}"
  exit 0
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
if [[ $mode == check ]]; then
  ((${#missing[@]} == 0))
  exit
fi
((${#missing[@]})) || exit 0

install_line="apt-get install -y --no-install-recommends ${missing[*]}"
as_root=()
if [[ $(id -u) -ne 0 ]]; then
  if ! command -v sudo >/dev/null; then
    echo "setup-deps: missing packages, and installing them needs root. As root, run:" >&2
    echo "  apt-get update && $install_line" >&2
    exit 1
  fi
  as_root=(sudo)
fi
echo "setup-deps: installing ${missing[*]}"
# Through env, since sudo does not pass the caller's environment on.
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive \
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
