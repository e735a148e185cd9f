#!/usr/bin/env bash
# Starts the program as the menu entry does: the Exec line of DESKTOP_FILE, the program
# found first in BIN_DIR, the offscreen platform, XDG_DATA_HOME in a scratch folder and a
# working folder of its own. Once the program has blocked SIGTERM (it then waits for its
# window's event loop), SIGTERM closes the window as its close button would. Passes when
# the window's "Option.ini" is in $XDG_DATA_HOME/quillora and nothing landed in the
# working folder.
# Usage: start-from-menu-entry.sh DESKTOP_FILE BIN_DIR
set -euo pipefail
desktop=$1
bin=$(cd "$2" && pwd)

exec_line=$(sed -n 's/^Exec=//p' "$desktop")
[[ -n $exec_line ]] || { echo "FAIL: no Exec line in $desktop"; exit 1; }
# Field codes (%f, %U, ...) stand for files that the desktop passes; it passes none here.
read -r -a command <<<"${exec_line//%[fFuUick]/}"
export PATH="$bin:$PATH"
found=$(command -v "${command[0]}") || { echo "FAIL: ${command[0]} not found"; exit 1; }
[[ $found == "$bin/"* ]] || { echo "FAIL: ${command[0]} is $found, not in $bin"; exit 1; }

scratch=$(mktemp -d)
pid=
trap '[[ -n $pid ]] && kill -KILL "$pid" 2>/dev/null; rm -rf "$scratch"' EXIT
mkdir "$scratch/data" "$scratch/cwd"
cd "$scratch/cwd"
echo "starting: ${command[*]}"
XDG_DATA_HOME="$scratch/data" QT_QPA_PLATFORM=offscreen "${command[@]}" >"$scratch/out" 2>&1 &
pid=$!

# Bit 15 of the blocked-signal mask is SIGTERM; bounds are generous for sanitizer builds.
blocked() {
  local mask
  mask=$(sed -n 's/^SigBlk:[[:space:]]*//p' "/proc/$pid/status" 2>/dev/null) || return 1
  [[ -n $mask ]] && (((16#$mask >> 14) & 1))
}
for _ in $(seq 600); do
  blocked && break
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
blocked || { echo "FAIL: the program never blocked SIGTERM"; cat "$scratch/out"; exit 1; }
kill -TERM "$pid"
for _ in $(seq 600); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
status=0
if kill -0 "$pid" 2>/dev/null; then
  echo "FAIL: the window did not close within 60 s of SIGTERM"
  exit 1
fi
wait "$pid" || status=$?
pid=
cat "$scratch/out"
[[ $status -eq 0 ]] || { echo "FAIL: exit status $status"; exit 1; }
settings="$scratch/data/quillora/Option.ini"
[[ -f $settings ]] || { echo "FAIL: no $settings"; find "$scratch" -print; exit 1; }
grep -q '^Port=' "$settings" || { echo "FAIL: $settings has no Port entry"; cat "$settings"; exit 1; }
leftovers=$(ls -A "$scratch/cwd")
[[ -z $leftovers ]] || { echo "FAIL: files in the working folder: $leftovers"; exit 1; }
echo "PASS: $settings written by the window:"
cat "$settings"
