#!/usr/bin/env bash
# Starts a private PulseAudio daemon for tests that need a sound server.
#
#   start-pulse.sh [DIR]        DIR defaults to $KELVADO_PULSE_DIR
#
# The daemon has two null sinks: "out" (the default sink: what a program plays lands here
# and can be captured from "out.monitor") and "mic" (what a test plays into it with
# `paplay -d mic` is what a program records, through the default source "mic.monitor").
# Each sink is kept busy by a silent stream, without which an idle null sink does not pace
# new streams in real time.
#
# Everything lives under DIR (created with mode 700; keep its path short, the socket path
# must stay under 108 bytes):
#   DIR/env        exports HOME, XDG_RUNTIME_DIR and PULSE_SERVER for clients; `. DIR/env`
#                  before starting pactl, parec, paplay or a program that uses ALSA's
#                  "default" device (which goes to this daemon while it runs)
#   DIR/home       HOME of the daemon and its clients
#   DIR/runtime    XDG_RUNTIME_DIR; the socket is DIR/runtime/pulse/native
#   DIR/pids       the processes that stop-pulse.sh ends
#   DIR/pulse.log  the daemon's log
#
# Returns once the daemon answers and both silent streams play. A daemon left in DIR by an
# earlier run is stopped first. Non-zero exit status, with the log's tail, on failure.
set -euo pipefail

dir=${1:-${KELVADO_PULSE_DIR:?usage: start-pulse.sh DIR (or set KELVADO_PULSE_DIR)}}
here=$(cd "$(dirname "$0")" && pwd)

"$here/stop-pulse.sh" "$dir"
mkdir -p -m 700 "$dir" "$dir/home" "$dir/runtime"
dir=$(cd "$dir" && pwd)
chmod 700 "$dir" "$dir/home" "$dir/runtime"
socket=$dir/runtime/pulse/native
if [ ${#socket} -ge 108 ]; then
  echo "start-pulse.sh: socket path too long for a Unix socket: $socket" >&2
  exit 1
fi

cat >"$dir/env" <<EOF
export HOME='$dir/home'
export XDG_RUNTIME_DIR='$dir/runtime'
export PULSE_SERVER='unix:$socket'
EOF
# shellcheck source=/dev/null
. "$dir/env"

cat >"$dir/pulse.pa" <<EOF
load-module module-native-protocol-unix auth-anonymous=1 socket=$socket
load-module module-null-sink sink_name=out
load-module module-null-sink sink_name=mic
set-default-sink out
set-default-source mic.monitor
EOF

: >"$dir/pids"
# Detached, with no inherited descriptors: CTest waits for every holder of its output pipe.
start_detached() {  # log, command...
  local log=$1
  shift
  setsid "$@" </dev/null >>"$log" 2>&1 &
  echo $! >>"$dir/pids"
}

fail() {
  echo "start-pulse.sh: $1" >&2
  tail -n 20 "$dir/pulse.log" >&2 || true
  "$here/stop-pulse.sh" "$dir"
  exit 1
}

# Polls a condition for up to 10 s.
poll() {
  for _ in $(seq 200); do
    "$@" && return 0
    sleep 0.05
  done
  return 1
}

: >"$dir/pulse.log"
start_detached "$dir/pulse.log" pulseaudio -n -F "$dir/pulse.pa" --daemonize=no \
  --exit-idle-time=-1 --disallow-exit --use-pid-file=no --log-target=stderr
poll pactl info >/dev/null 2>&1 || fail "the daemon does not answer"

for sink in out mic; do
  start_detached "$dir/pulse.log" pacat -p -d "$sink" --latency-msec=20 --raw /dev/zero
done
keep_alive_playing() {
  [ "$(pactl list short sink-inputs 2>/dev/null | wc -l)" -ge 2 ]
}
poll keep_alive_playing || fail "the silent keep-alive streams did not start"
