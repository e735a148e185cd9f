# Sourced by tools/test.sh before the builds. Starts the private CUPS scheduler that the
# driver-printing tests print to (tools/cups/start-scheduler.sh) and exports CUPS_SERVER,
# CUPS_SERVERROOT and QUILLORA_CUPS_DIR, so libcups in every later step talks to it and
# never to the machine's own scheduler. post-90-cups-stop.sh stops it; the exit trap
# stops it as well when the run ends early.
QUILLORA_CUPS_DIR=$(mktemp -d /tmp/quillora-cups.XXXXXX)
if ! bash "$ROOT/tools/cups/start-scheduler.sh" "$QUILLORA_CUPS_DIR"; then
  bash "$ROOT/tools/cups/stop-scheduler.sh" "$QUILLORA_CUPS_DIR"
  echo "pre-10-cups: the private CUPS scheduler did not start" >&2
  return 1
fi
# shellcheck disable=SC1091
source "$QUILLORA_CUPS_DIR/env"
echo "private CUPS scheduler on $CUPS_SERVER"

quillora_cups_chain_exit_trap() {
  # Keeps whatever exit trap was there and runs it after stopping the scheduler.
  eval "set -- $(trap -p EXIT)"
  local previous=${3:-}
  # shellcheck disable=SC2064
  trap "bash '$ROOT/tools/cups/stop-scheduler.sh' '$QUILLORA_CUPS_DIR'; $previous" EXIT
}
quillora_cups_chain_exit_trap
