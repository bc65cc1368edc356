#!/bin/sh
# Runs the kpx-sim program as a user or a script would: options, the converter tree, a
# command exchange through the tree's device node, standard input commands, clean exit.
set -eu
sim="$1"
work=$(mktemp -d "${TMPDIR:-/tmp}/kpxsim-program.XXXXXX")
pid=
cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

"$sim" --help | grep -q -- "--env-file" || fail "--help"
if "$sim" --firmware-version 35 </dev/null >/dev/null 2>&1; then fail "version 35 accepted"; fi
if "$sim" --loader-version 2.2 </dev/null >/dev/null 2>&1; then fail "loader version 2.2 accepted"; fi
out=$(printf 'flash 88\nquit\n' | "$sim" --no-pace --serial "" --in-loader --loader-version 2.2.255 --erase-ms 5)
echo "$out" | grep -q '^flash 88 +112: FF FF' || fail "flash: $out"

# Commands on standard input; quit ends the program.
out=$(printf 'dump 252\npreset 37\nquit\n' | "$sim" --no-pace --serial "")
echo "$out" | grep -q '^kpx-sim: KPX-2 (identity "KPX2-3") on /dev/pts/' || fail "banner: $out"
echo "$out" | grep -q '^block 252: FF 03 00 00 00 00 00 00$' || fail "dump: $out"
echo "$out" | grep -q 'ORVEL_SYSROOT' && fail "converter without a serial number"

# In the background (where a shell ignores SIGINT) with standard input at end of file,
# until SIGINT; its env file under the longest name the folder takes.
env="$work/$(printf 'e%.0s' $(seq 255))"
"$sim" --no-pace --model 3 --form short --firmware-version 12 --serial SIMTEST01 \
    --env-file "$env" </dev/null >"$work/out" &
pid=$!
for _ in $(seq 50); do [ -f "$env" ] && break; sleep 0.1; done
[ -f "$env" ] || fail "no env file"
. "$env"
grep -q "^kpx-sim: USB converter SIMTEST01; use ORVEL_SYSROOT=$ORVEL_SYSROOT\$" "$work/out" \
    || fail "converter line: $(cat "$work/out")"
[ "$(cat "$ORVEL_SYSROOT/sys/bus/usb-serial/devices/ttyUSB0/../../serial")" = SIMTEST01 ] \
    || fail "serial attribute"

node="$ORVEL_SYSROOT/dev/ttyUSB0"
exec 3<>"$node"
stty -F "$node" 9600 raw -echo
printf '\033\000' >&3
reply=$(timeout 5 dd bs=1 count=6 <&3 2>/dev/null) || fail "no identify reply"
exec 3>&-
[ "$reply" = "KP3-12" ] || fail "identity $reply"

# Past the end of its input it waits on the stop signals alone: its main thread sits in a poll
# of one descriptor (the call's second argument in /proc's syscall line).
polls_signals_alone() {
    # shellcheck disable=SC2046
    set -- $(cat "/proc/$pid/syscall" 2>/dev/null)
    { [ "${1:-}" = 7 ] || [ "${1:-}" = 271 ]; } && [ "${3:-}" = 0x1 ]
}
for _ in $(seq 100); do polls_signals_alone && break; sleep 0.05; done
polls_signals_alone || fail "ended at end of input, or still reads it"
kill -INT "$pid"
wait "$pid" || fail "exit status after SIGINT"
pid=
[ ! -e "$ORVEL_SYSROOT" ] || fail "temporary tree left behind"
echo "program test passed"
