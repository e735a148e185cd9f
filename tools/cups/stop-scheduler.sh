#!/usr/bin/env bash
# Stops the private scheduler that start-scheduler.sh started in DIR and removes DIR.
set -uo pipefail

DIR=${1:?usage: stop-scheduler.sh DIR}
[[ -d $DIR ]] || exit 0
if [[ -f $DIR/cupsd.pid ]]; then
  pid=$(cat "$DIR/cupsd.pid")
  if kill -0 "$pid" 2>/dev/null; then
    kill -TERM "$pid"
    for _ in $(seq 1 50); do
      kill -0 "$pid" 2>/dev/null || break
      sleep 0.1
    done
    kill -0 "$pid" 2>/dev/null && kill -KILL "$pid"
  fi
fi
rm -rf "$DIR"
