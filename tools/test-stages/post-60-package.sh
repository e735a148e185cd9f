#!/usr/bin/env bash
# Builds the Debian package and checks it as a user meets it: lintian finds no error, the
# menu entry and the AppStream file validate, unpacking gives exactly the expected files,
# the unpacked program answers --version without a display and, started by its menu
# entry's Exec line, keeps its settings in $XDG_DATA_HOME/quillora, and both manual
# pages render without a warning. The unpacked programs run on the system's Qt.
set -euo pipefail
cd "$(dirname "$0")/../.."

bash tools/package.sh
deb=$(ls build-package/quillora_*_*.deb)
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build-package/CMakeCache.txt)
[[ $deb == "build-package/quillora_${version}_$(dpkg --print-architecture).deb" ]] ||
  { echo "FAIL: $deb is not named after version $version"; exit 1; }
echo "package: $deb, $(du -k "$deb" | cut -f1) KiB"
dpkg-deb -f "$deb" Depends

# Each program comes with its manual page in section 1.
programs=(quillora quillora-cli quillora-virtual-printer)
app_id=org.quillora.Quillora
expected=(
  "usr/share/applications/$app_id.desktop"
  "usr/share/metainfo/$app_id.metainfo.xml"
  usr/share/doc/quillora/copyright
  usr/share/doc/quillora/changelog.gz
  usr/libexec/quillora/quillora-cli-full
)
for program in "${programs[@]}"; do
  expected+=("usr/bin/$program" "usr/share/man/man1/$program.1.gz")
done
for size in 16 32 48 64 128 256; do
  expected+=("usr/share/icons/hicolor/${size}x${size}/apps/$app_id.png")
done

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
dpkg-deb -x "$deb" "$scratch"
if ! diff <(printf '%s\n' "${expected[@]}" | sort) <(cd "$scratch" && find . -type f -printf '%P\n' | sort); then
  echo "FAIL: the package's files differ from the expected ones (< expected, > packaged)"
  exit 1
fi
for size in 48 256; do
  file "$scratch/usr/share/icons/hicolor/${size}x${size}/apps/$app_id.png" |
    grep -q "PNG image data, $size x $size" || { echo "FAIL: the ${size}px icon is not ${size}x${size}"; exit 1; }
done

echo "-- lintian (errors fail; warnings, information and pedantic tags are listed)"
lintian --fail-on error --display-info --pedantic "$deb"

echo "-- desktop-file-validate"
desktop-file-validate "$scratch/usr/share/applications/$app_id.desktop"
echo "-- appstreamcli validate --no-net"
appstreamcli validate --no-net "$scratch/usr/share/metainfo/$app_id.metainfo.xml"

echo "-- manual pages"
for page in "${programs[@]}"; do
  warnings=$(MANWIDTH=80 man --warnings -l "$scratch/usr/share/man/man1/$page.1.gz" 2>&1 >/dev/null)
  [[ -z $warnings ]] || { echo "FAIL: $page.1 renders with warnings:"; echo "$warnings"; exit 1; }
  MANWIDTH=80 man -l "$scratch/usr/share/man/man1/$page.1.gz" | grep -q "Quillora $version" ||
    { echo "FAIL: $page.1 does not name version $version"; exit 1; }
  echo "$page.1: no warnings"
done

echo "-- the unpacked program"
# quillora-cli finds quillora-cli-full where the package puts it, for a run that draws.
drawn=$("$scratch/usr/bin/quillora-cli" run --port none feed 2>/dev/null)
[[ $drawn == "feed: ok: sent 3 of 3 bytes" ]] ||
  { echo "FAIL: the unpacked quillora-cli did not hand a drawing run over: $drawn"; exit 1; }
bash tests/app/version-without-display.sh "$scratch/usr/bin" "$version"
bash tests/app/start-from-menu-entry.sh "$scratch/usr/share/applications/$app_id.desktop" \
  "$scratch/usr/bin"
