#!/usr/bin/env bash
# Starts the program in a home of its own: the first start leaves the settings
# and the data directory; INT, HUP and TERM end it in order (exit 0, the lock
# freed); a second copy waits on its notice until a signal ends it.
set -euo pipefail
program="$1" version="$2"
home="$(mktemp -d)"
pid="" second=""
trap 'for p in $pid $second; do kill "$p" 2>/dev/null || true; done; rm -rf "$home"' EXIT
fail() { echo "$*"; exit 1; }
mkdir -m 700 "$home/run"
export HOME="$home" XDG_CONFIG_HOME="$home/config" XDG_RUNTIME_DIR="$home/run"
export QT_QPA_PLATFORM=offscreen

"$program" --version | grep -qx "rx710kp $version" || fail "--version does not say rx710kp $version"
code=0; "$program" --no-such-option 2>/dev/null || code=$?
[ "$code" -eq 2 ] || fail "unknown option gave exit code $code, not 2"

# --list-ports: a port present, one missing, and the configured one this user
# may not open (root lists as nobody a file only root may open).
ports="$home/ports"
mkdir -m 755 "$ports" "$home/listing"
install -m 666 /dev/null "$ports/COM3"
install -m 000 /dev/null "$ports/COM4"
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
fi
if [ "${#as[@]}" -gt 0 ]; then
  listing="$("${as[@]}" "$program" --list-ports --port-path "$ports/COM{n}")" || fail "--list-ports failed"
  for line in "  COM3    $ports/COM3: present, you may read and write it" "  COM2    $ports/COM2: missing"; do
    grep -qxF -- "$line" <<<"$listing" || fail "--list-ports lacks: $line"$'\n'"$listing"
  done
  grep -qxE -- "\* COM4    $ports/COM4: present, you may NOT read and write it \(owner .+, group .+, mode [-rwx]{9}\)" <<<"$listing" ||
    fail "--list-ports does not mark COM4 as configured and not usable, or says not why:"$'\n'"$listing"
  grep -qF -- "only its owner may use it: sudo chgrp dialout $ports/COM4 && sudo chmod g+rw $ports/COM4, then sudo adduser $user dialout" <<<"$listing" ||
    fail "--list-ports gives no remedy for a file only its owner may use:"$'\n'"$listing"
  [ "$(grep -c '^[ *] COM' <<<"$listing")" -eq 16 ] || fail "--list-ports lists not 16 ports"
fi

# Until the command holds; the minute only ends a hang. SigCgt bit 14: SIGTERM is caught.
soon() { for _ in $(seq 1200); do "$@" && return 0; sleep 0.05; done; return 1; }
gone() { ! kill -0 "$1" 2>/dev/null; }
ended() { soon gone "$1" || return 124; wait "$1"; }  # its exit code, or 124 when it hangs
catches_term() { (( 0x$(awk '/^SigCgt:/ { print $2 }' "/proc/$1/status" 2>/dev/null) >> 14 & 1 )); }

"$program" & pid=$!
ini="$XDG_CONFIG_HOME/TARVO Application.ini"
soon test -d "$home/RX-710" || fail "no data directory"
kill -0 "$pid" || fail "the terminal did not keep running"
keys="$(grep -E '^[A-Za-z]+=' "$ini" | sort | tr '\n' ' ')"
[ "$keys" = "BestFrame=True Debug=False DualAdd=False PortNo=3 PrintFrame=True SerialSend=False " ] ||
  fail "settings file holds: $keys"
grep -qx '\[RX-710KP\]' "$ini" || fail "the settings are not in section [RX-710KP]"

lock="$XDG_RUNTIME_DIR/rx710kp-$(id -u).lock"
for signal in INT HUP TERM; do
  [ -e "$lock" ] || fail "no lock while running"
  if [ "$signal" = TERM ]; then  # a second copy is told the first runs, and waits on that notice
    "$program" 2>/dev/null & second=$!
    soon catches_term "$second" || fail "the second copy ended, or never caught SIGTERM"
    kill -TERM "$second" || fail "the second copy did not wait on its notice"
    code=0; ended "$second" || code=$?
    second=""
    [ "$code" -eq 0 ] || fail "the second copy's notice: SIGTERM gave $code, not 0"
  fi
  kill "-$signal" "$pid"
  code=0; ended "$pid" || code=$?
  [ "$code" -eq 0 ] || fail "SIG$signal: exit code $code, not 0 (124: still running)"
  [ -e "$lock" ] && fail "SIG$signal left the lock behind"
  pid=""
  [ "$signal" = TERM ] && break
  "$program" & pid=$!
  soon test -e "$lock"
done
echo "program start: 1 passed, 0 failed"
