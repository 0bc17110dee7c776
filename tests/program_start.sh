#!/usr/bin/env bash
# Starts the program as a user would, in a home of its own: the first start
# leaves the six settings and the data directory behind.
set -euo pipefail
program="$1"
version="$2"
home="$(mktemp -d)"
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$home"' EXIT
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
echo "program start: 1 passed, 0 failed"
