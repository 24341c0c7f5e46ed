#!/usr/bin/env bash
# Stops what start-pulse.sh started in DIR: the silent streams and the daemon.
#
#   stop-pulse.sh [DIR]         DIR defaults to $KELVADO_PULSE_DIR
#
# Safe to run when nothing runs. Only the processes listed in DIR/pids are signalled, and
# only while they still are pulseaudio or pacat. Logs stay in DIR.
set -euo pipefail

dir=${1:-${KELVADO_PULSE_DIR:?usage: stop-pulse.sh DIR (or set KELVADO_PULSE_DIR)}}
[ -f "$dir/pids" ] || exit 0

# Alive (not a zombie) and still one of ours, so a reused pid is never signalled.
ours() {  # pid
  local name state
  name=$(awk '/^Name:/ {print $2}' "/proc/$1/status" 2>/dev/null) || return 1
  state=$(awk '/^State:/ {print $2}' "/proc/$1/status" 2>/dev/null) || return 1
  [ "$state" != Z ] && { [ "$name" = pulseaudio ] || [ "$name" = pacat ]; }
}

pids=$(tac "$dir/pids")
for pid in $pids; do
  if ours "$pid"; then kill -TERM "$pid" 2>/dev/null || true; fi
done
for pid in $pids; do
  for _ in $(seq 100); do
    ours "$pid" || break
    sleep 0.05
  done
  if ours "$pid"; then kill -KILL "$pid" 2>/dev/null || true; fi
done
rm -f "$dir/pids"
