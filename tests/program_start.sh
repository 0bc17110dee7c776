#!/usr/bin/env bash
# Starts the program as a user would, in a home of its own: the first start
# leaves the six settings and the data directory behind. Then every signal a
# user or the system sends ends it in order (exit 0, the lock freed, so the
# next start runs), a second copy waits on its notice, and a signal ends that
# wait too.
set -euo pipefail
program="$1"
version="$2"
home="$(mktemp -d)"
pid="" second=""
cleanup() {
  local p
  for p in $pid $second; do kill "$p" 2>/dev/null || true; done
  rm -rf "$home"
}
trap cleanup EXIT
mkdir -m 700 "$home/run"
export HOME="$home" XDG_CONFIG_HOME="$home/config" XDG_RUNTIME_DIR="$home/run"
export QT_QPA_PLATFORM=offscreen

"$program" --version | grep -qx "rx710kp $version"
set +e; "$program" --no-such-option 2>/dev/null; code=$?; set -e
[ "$code" -eq 2 ] || { echo "unknown option gave exit code $code, not 2"; exit 1; }

"$program" & pid=$!
ini="$XDG_CONFIG_HOME/TARVO Application.ini"
for _ in $(seq 100); do [ -d "$home/RX-710" ] && break; sleep 0.1; done
kill -0 "$pid" || { echo "the terminal did not keep running"; exit 1; }
[ -d "$home/RX-710" ] || { echo "no data directory"; exit 1; }
keys="$(grep -E '^[A-Za-z]+=' "$ini" | sort | tr '\n' ' ')"
expected="BestFrame=True Debug=False DualAdd=False PortNo=3 PrintFrame=True SerialSend=False "
[ "$keys" = "$expected" ] || { echo "settings file holds: $keys"; exit 1; }
grep -qx '\[RX-710KP\]' "$ini"

# Waits up to 3 s for the process to end; its exit code, or 124 when it runs on.
ended() {
  local p="$1" _
  for _ in $(seq 60); do kill -0 "$p" 2>/dev/null || break; sleep 0.05; done
  kill -0 "$p" 2>/dev/null && return 124
  wait "$p"
}
lock="$XDG_RUNTIME_DIR/rx710kp-$(id -u).lock"
for signal in INT HUP TERM; do
  [ -e "$lock" ] || { echo "no lock while running"; exit 1; }
  if [ "$signal" = TERM ]; then
    # A second copy is told the first runs, and waits on that notice.
    "$program" 2>/dev/null & second=$!
    sleep 1
    kill -0 "$second" || { echo "the second copy did not wait on its notice"; exit 1; }
    kill -TERM "$second"
    set +e; ended "$second"; code=$?; set -e
    second=""
    [ "$code" -eq 0 ] || { echo "the second copy's notice: SIGTERM gave $code, not 0"; exit 1; }
  fi
  kill "-$signal" "$pid"
  set +e; ended "$pid"; code=$?; set -e
  [ "$code" -eq 0 ] || { echo "SIG$signal: exit code $code, not 0 (124: still running)"; exit 1; }
  [ -e "$lock" ] && { echo "SIG$signal left the lock behind"; exit 1; }
  pid=""
  if [ "$signal" != TERM ]; then
    "$program" & pid=$!
    for _ in $(seq 40); do [ -e "$lock" ] && break; sleep 0.05; done
  fi
done
echo "program start: 1 passed, 0 failed"
