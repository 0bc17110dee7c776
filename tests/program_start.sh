#!/usr/bin/env bash
# Starts the program in a home of its own: the first start leaves the data
# directory; TERM ends it in order (exit 0, the lock freed); a second copy
# waits on its notice until a signal ends it. (The settings it leaves and INT
# and HUP are held by IniSettings and ProgramEnd, on the same wiring.)
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

# --list-ports, byte for byte (a path not UTF-8): only a character device is a
# port, a folder, FIFO or plain file is named for what it is; as nobody, a
# device of root:root mode 660 gets no advice to join root, and the account
# named is nobody whatever USER says (root, or none).
ports="$home/ports" b=$'\xfe'
mkdir -m 755 "$ports" "$home/listing" "$ports/${b}1"
mkfifo "$ports/${b}2"; : >"$ports/${b}3"; ln -s /dev/null "$ports/${b}5"
printf '[RX-710KP]\nPortNo=4\n' >"$home/listing/TARVO Application.ini"
chmod 644 "$home/listing/TARVO Application.ini"
port() { printf '%s COM%-4s %s' "${3:- }" "$1" "$ports/$b$1: $2"; }
expect=("$(port 1 'present, but a directory, not a serial device')"
  "$(port 2 'present, but a named pipe (FIFO), not a serial device')"
  "$(port 3 'present, but a plain file, not a serial device')"
  "$(port 5 'present, you may read and write it')" "$(port 6 missing)")
as=()
if [ "$(id -u)" -eq 0 ] && command -v setpriv >/dev/null && id nobody >/dev/null 2>&1 &&
    setpriv --reuid=nobody --regid="$(id -g nobody)" --clear-groups test -x "$program"; then
  mknod -m 660 "$ports/${b}4" c 1 3; chmod 755 "$home"
  as=(setpriv --reuid=nobody --regid="$(id -g nobody)" --clear-groups --)
  expect+=("$(port 4 'present, you may NOT read and write it (owner root, group root, mode rw-rw----)' '*')"
    "          its group root lets no ordinary user in: a udev rule giving it to group dialout, or sudo chgrp dialout '$ports/${b}4'; then sudo adduser nobody dialout and log in again")
else
  echo "SKIPPED: --list-ports of a device of root's as nobody: not root, no setpriv, no user nobody, or nobody may not run $program"
fi
for user in -uUSER USER=root; do
  listing="$("${as[@]}" env "$user" "XDG_CONFIG_HOME=$home/listing" "$program" --list-ports --port-path "$ports/$b{n}")" ||
    fail "--list-ports failed"
  for line in "${expect[@]}"; do
    LC_ALL=C grep -qxF -- "$line" <<<"$listing" || fail "--list-ports ($user) lacks: $line"$'\n'"$listing"
  done
  [ "$(LC_ALL=C grep -c '^[ *] COM' <<<"$listing")" -eq 16 ] || fail "--list-ports lists not 16 ports"
done

# Until the command holds; the minute only ends a hang. SigCgt bit 14: SIGTERM is caught.
soon() { for _ in $(seq 1200); do "$@" && return 0; sleep 0.05; done; return 1; }
gone() { ! kill -0 "$1" 2>/dev/null; }
ended() { soon gone "$1" || return 124; wait "$1"; }  # its exit code, or 124 when it hangs
catches_term() { (( 0x$(awk '/^SigCgt:/ { print $2 }' "/proc/$1/status" 2>/dev/null) >> 14 & 1 )); }

"$program" & pid=$!
soon test -d "$home/RX-710" || fail "no data directory"
kill -0 "$pid" || fail "the terminal did not keep running"
lock="$XDG_RUNTIME_DIR/rx710kp-$(id -u).lock"
soon test -e "$lock" || fail "no lock while running"
# A second copy is told the first runs, and waits on that notice.
"$program" 2>/dev/null & second=$!
soon catches_term "$second" || fail "the second copy ended, or never caught SIGTERM"
kill -TERM "$second" || fail "the second copy did not wait on its notice"
code=0; ended "$second" || code=$?
second=""
[ "$code" -eq 0 ] || fail "the second copy's notice: SIGTERM gave $code, not 0"
kill -TERM "$pid"
code=0; ended "$pid" || code=$?
pid=""
[ "$code" -eq 0 ] || fail "SIGTERM: exit code $code, not 0 (124: still running)"
[ -e "$lock" ] && fail "SIGTERM left the lock behind"
echo "program start: 1 passed, 0 failed"
