#!/usr/bin/env bash
# Starts a private CUPS scheduler in DIR (an empty folder) for the driver-printing tests:
# its own configuration, spool, cache, state and log folders, listening only on the local
# socket DIR/cups.sock, with three cups-pdf queues whose names share a prefix: two on A4
# paper and one on an 80 mm receipt roll (80 x 200 mm pages). The machine's own scheduler,
# printers and /etc/cups are never touched.
#
# cups-pdf reads its settings from /etc/cups only, so the scheduler runs in a mount
# namespace of its own in which DIR/etc is mounted over /etc/cups: the queues' PDF files,
# cups-pdf's spool and its log stay under DIR. That needs root (cups-pdf runs as root
# anyway). Writes DIR/env with the variables that point libcups at the scheduler.
set -euo pipefail

DIR=${1:?usage: start-scheduler.sh DIR}
HERE=$(cd "$(dirname "$0")" && pwd)
RECEIPT_QUEUE=quillora-pdf-80mm
QUEUES=(quillora-pdf quillora-pdf-2 "$RECEIPT_QUEUE")
PPD=/usr/share/ppd/cups-pdf/CUPS-PDF_noopt.ppd

fail() { echo "start-scheduler: $*" >&2; exit 1; }

[[ $(id -u) -eq 0 ]] || fail "needs root: cups-pdf only runs as root"
[[ -x /usr/sbin/cupsd && -x /usr/lib/cups/backend/cups-pdf && -f $PPD ]] ||
  fail "cups-daemon and printer-driver-cups-pdf are not installed"

DIR=$(cd "$DIR" && pwd)
# Filters run as the unprivileged user lp and must reach the spool folders.
chmod 755 "$DIR"
mkdir -p "$DIR"/{etc/ppd,etc/ssl,spool/tmp,cache,state,log,out,pdf-spool}
SOCKET=$DIR/cups.sock

sed -e "s|@DIR@|$DIR|g" "$HERE/cups-files.conf.in" >"$DIR/etc/cups-files.conf"
sed -e "s|@SOCKET@|$SOCKET|g" "$HERE/cupsd.conf.in" >"$DIR/etc/cupsd.conf"
for queue in "${QUEUES[@]}"; do
  sed -e "s|@OUT@|$DIR/out/$queue|g" -e "s|@DIR@|$DIR|g" "$HERE/cups-pdf.conf.in" \
    >"$DIR/etc/cups-pdf-$queue.conf"
done
# The plain name too, so that a cups-pdf URI without an instance stays private as well.
sed -e "s|@OUT@|$DIR/out/default|g" -e "s|@DIR@|$DIR|g" "$HERE/cups-pdf.conf.in" \
  >"$DIR/etc/cups-pdf.conf"
: >"$DIR/etc/lpoptions"

# The receipt queue's description: cups-pdf's own, with an 80 x 200 mm page (226.77 x
# 566.93 points, all of it printable) added beside A4 and made the default, so that
# applications take their page size and printable area from the queue as for a roll printer.
RECEIPT_PPD=$DIR/receipt-80mm.ppd
sed -E \
  -e 's|^\*Default(PageSize\|PageRegion\|ImageableArea\|PaperDimension): A4$|*Default\1: 80x200mm|' \
  -e '/^\*(PageSize|PageRegion) A4\//p; s|^\*(PageSize\|PageRegion) A4/A4: "<</PageSize\[595 842\]|*\1 80x200mm/80 x 200 mm: "<</PageSize[226.77 566.93]|' \
  -e '/^\*ImageableArea A4\//p; s|^\*ImageableArea A4/A4: "0 0 595 842"|*ImageableArea 80x200mm/80 x 200 mm: "0 0 226.77 566.93"|' \
  -e '/^\*PaperDimension A4\//p; s|^\*PaperDimension A4/A4: "595 842"|*PaperDimension 80x200mm/80 x 200 mm: "226.77 566.93"|' \
  "$PPD" >"$RECEIPT_PPD"
[[ $(grep -c '80x200mm' "$RECEIPT_PPD") -eq 8 ]] || fail "cannot add the 80 mm page to $PPD"

/usr/sbin/cupsd -t -c "$DIR/etc/cupsd.conf" -s "$DIR/etc/cups-files.conf" >/dev/null ||
  fail "configuration rejected: $(/usr/sbin/cupsd -t -c "$DIR/etc/cupsd.conf" -s "$DIR/etc/cups-files.conf" 2>&1)"

# Without --fork, unshare becomes the shell and the shell becomes cupsd: one process id.
unshare --mount --propagation private -- sh -c \
  'mount --bind "$1/etc" /etc/cups && exec /usr/sbin/cupsd -f -c "$1/etc/cupsd.conf" -s "$1/etc/cups-files.conf"' \
  sh "$DIR" </dev/null >>"$DIR/log/cupsd.out" 2>&1 &
echo $! >"$DIR/cupsd.pid"

export CUPS_SERVER=$SOCKET
for _ in $(seq 1 100); do
  if lpstat -r >/dev/null 2>&1; then break; fi
  kill -0 "$(cat "$DIR/cupsd.pid")" 2>/dev/null ||
    fail "cupsd ended: $(tail -n 5 "$DIR/log/cupsd.out" "$DIR/log/error_log" 2>/dev/null)"
  sleep 0.1
done
lpstat -r >/dev/null 2>&1 || fail "cupsd did not answer on $SOCKET"

for queue in "${QUEUES[@]}"; do
  ppd=$PPD
  [[ $queue == "$RECEIPT_QUEUE" ]] && ppd=$RECEIPT_PPD
  # lpadmin warns that PPD drivers are deprecated; the queue is made all the same. The
  # cairo renderer keeps glyph names in the PostScript that cups-pdf turns back into PDF,
  # so the text of a page can be read back from its PDF file.
  lpadmin -p "$queue" -E -v "cups-pdf:/$queue" -P "$ppd" -o printer-error-policy=abort-job \
    -o pdftops-renderer-default=pdftocairo 2>/dev/null
done
lpstat -p "${QUEUES[@]}" >/dev/null || fail "queues were not created"

cat >"$DIR/env" <<ENV
export CUPS_SERVER='$SOCKET'
export CUPS_SERVERROOT='$DIR/etc'
export QUILLORA_CUPS_DIR='$DIR'
ENV
