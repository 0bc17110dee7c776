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

# --list-ports over a port template in a folder: a port present, one missing
# and the configured one, which this user may not open. Root runs the listing
# as nobody on a file only root may open; anyone else is denied a file of
# mode 000.
ports="$home/ports"
mkdir -m 755 "$ports" "$home/listing"
: >"$ports/COM3"; : >"$ports/COM4"
chmod 666 "$ports/COM3"
printf '[RX-710KP]\nPortNo=4\n' >"$home/listing/TARVO Application.ini"
chmod 644 "$home/listing/TARVO Application.ini"
user="$(id -un)"
as=(env "XDG_CONFIG_HOME=$home/listing" "USER=$user")
if [ "$(id -u)" -eq 0 ]; then
  chmod 600 "$ports/COM4"; chmod 755 "$home"
  if command -v setpriv >/dev/null && id nobody >/dev/null 2>&1 &&
      setpriv --reuid="$(id -u nobody)" --regid="$(id -g nobody)" --clear-groups test -x "$program"; then
    user=nobody
    as=(setpriv --reuid="$(id -u nobody)" --regid="$(id -g nobody)" --clear-groups -- "${as[@]}" USER=nobody)
  else
    echo "SKIPPED: --list-ports of a port root alone may open: no setpriv, no user nobody, or nobody may not run $program"
    as=()
  fi
else
  chmod 000 "$ports/COM4"
fi
if [ "${#as[@]}" -gt 0 ]; then
  listing="$("${as[@]}" "$program" --list-ports --port-path "$ports/COM{n}")" ||
    { echo "--list-ports failed"; exit 1; }
  expect() {
    grep -qxF -- "$1" <<<"$listing" || { echo "--list-ports lacks: $1"; echo "$listing"; exit 1; }
  }
  expect "  COM3    $ports/COM3: present, you may read and write it"
  expect "  COM2    $ports/COM2: missing"
  grep -qxE -- "\* COM4    $ports/COM4: present, you may NOT read and write it \(owner .+, group .+, mode [-rwx]{9}\)" <<<"$listing" ||
    { echo "--list-ports does not mark COM4 as configured and not usable, or says not why:"; echo "$listing"; exit 1; }
  # An owner-only file must let its group in first; joining a group is not enough.
  grep -qF -- "only its owner may use it: sudo chgrp dialout $ports/COM4 && sudo chmod g+rw $ports/COM4, then sudo adduser $user dialout" <<<"$listing" ||
    { echo "--list-ports gives no remedy for a file only its owner may use:"; echo "$listing"; exit 1; }
  [ "$(grep -c '^[ *] COM' <<<"$listing")" -eq 16 ] || { echo "--list-ports lists not 16 ports"; exit 1; }
fi

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
