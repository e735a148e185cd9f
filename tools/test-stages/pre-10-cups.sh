# Sourced by tools/test.sh before the builds. Starts the private CUPS scheduler that the
# driver-printing tests print to (tools/cups/start-scheduler.sh) and exports CUPS_SERVER,
# CUPS_SERVERROOT and QUILLORA_CUPS_DIR, so libcups in every later step talks to it and
# never to the machine's own scheduler. post-90-cups-stop.sh stops it; the exit trap
# stops it as well when the run ends early.
#
# When it cannot start (not root, no mount namespaces, packages missing) the run goes on:
# QUILLORA_CUPS_UNAVAILABLE carries the reason, and the tests that print through the
# scheduler are skipped with it.
QUILLORA_CUPS_DIR=$(mktemp -d /tmp/quillora-cups.XXXXXX)
if ! quillora_cups_output=$(bash "$ROOT/tools/cups/start-scheduler.sh" "$QUILLORA_CUPS_DIR" 2>&1); then
  bash "$ROOT/tools/cups/stop-scheduler.sh" "$QUILLORA_CUPS_DIR" >/dev/null 2>&1 || true
  rm -rf "$QUILLORA_CUPS_DIR"
  unset QUILLORA_CUPS_DIR CUPS_SERVER CUPS_SERVERROOT
  QUILLORA_CUPS_UNAVAILABLE=$(printf '%s\n' "$quillora_cups_output" | grep -m1 '^start-scheduler: ' |
    sed 's/^start-scheduler: //' || true)
  export QUILLORA_CUPS_UNAVAILABLE=${QUILLORA_CUPS_UNAVAILABLE:-${quillora_cups_output:-unknown reason}}
  echo "pre-10-cups: the private CUPS scheduler cannot start ($QUILLORA_CUPS_UNAVAILABLE);" \
    "the driver-printing tests that need it are skipped" >&2
  return 0
fi
printf '%s\n' "$quillora_cups_output"
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
