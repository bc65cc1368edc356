#!/usr/bin/env bash
# orvel-cli says why on every failure, in one line on standard error: against a silent
# controller (on a numbered port and on a USB converter), on a port with nothing behind it,
# with a transfer cut off half-way or a reply that names no preset, with files it cannot
# read or write, and with a wrong command line (exit status 2). What succeeds says what it
# did.
# Arguments: the orvel-cli program, the kpx-sim program.
set -uo pipefail
cli=$1
sim=$2
. "$(dirname "$0")/sim_session.sh"
start_sim --console --serial FAILS001 --com 6
load_sim_env
export ZUDEDIZE_COM7=$work/no-such-port

failures=0
fail() { echo "FAILED: $*"; failures=$((failures + 1)); }

# Waits until the simulator has taken a console command (it echoes each one).
console() {
  local before
  before=$(grep -c . "$work/sim.log")
  echo "$1" >&3
  for _ in $(seq 100); do [ "$(grep -c . "$work/sim.log")" -gt "$before" ] && return; sleep 0.05; done
  fail "kpx-sim did not take \"$1\""
}

# expect STATUS PATTERN ARGS...: the exit status, and standard error exactly one line
# matching the pattern.
expect() {
  local status=$1 pattern=$2
  shift 2
  "$cli" "$@" >"$work/out" 2>"$work/err"
  local got=$?
  [ "$got" -eq "$status" ] || fail "orvel-cli $*: exit status $got, not $status"
  [ "$(wc -l <"$work/err")" -eq 1 ] || fail "orvel-cli $*: not one line on stderr: $(cat "$work/err")"
  grep -qE -- "$pattern" "$work/err" || fail "orvel-cli $*: \"$(cat "$work/err")\" does not match \"$pattern\""
}

"$cli" backup "$work/setup.ini" >/dev/null 2>&1 || fail "backup of a healthy controller"

# What succeeds says what it wrote, and prints no identification line unless asked.
"$cli" --com 6 write-preset 37 --from "$work/setup.ini" >"$work/out" 2>"$work/err" || fail "write-preset"
[ "$(cat "$work/out")" = "wrote preset 37" ] || fail "write-preset said: $(cat "$work/out")"
[ -s "$work/err" ] && fail "write-preset printed on stderr: $(cat "$work/err")"
[ "$("$cli" write-bank 3 --from "$work/setup.ini")" = "wrote bank 3 and its bank function" ] || fail "write-bank"
[ "$("$cli" write-settings --from "$work/setup.ini")" = "wrote the settings" ] || fail "write-settings"
"$cli" --verbose --com 6 read-preset 5 2>"$work/err" >/dev/null || fail "read-preset --verbose"
grep -q '^KPX firmware version: KPX2-3$' "$work/err" || fail "no identification line with --verbose"

# A silent controller: every command names where nothing answered.
console "silent on"
for command in "identify" "current" "read-preset 5" "write-preset 5 --from $work/setup.ini" "read-bank 3" \
               "write-bank 3 --from $work/setup.ini" "read-settings" "write-settings --from $work/setup.ini" \
               "backup $work/silent.ini" "restore $work/setup.ini" "read-block 251" "check-defaults"; do
  # shellcheck disable=SC2086
  expect 1 "^orvel-cli: no controller answered on COM 6 \(/dev/pts/[0-9]+\)$" --com 6 $command
done
[ -e "$work/silent.ini" ] && fail "a backup of a silent controller left a file"
expect 1 "^orvel-cli: no controller answered on the converter FAILS001$" --serial FAILS001 check-defaults
expect 1 "^orvel-cli: no controller answered on any USB converter \(FAILS001\)$" read-settings
expect 1 "^orvel-cli: no controller answered on /dev/pts/[0-9]+$" --device "$ZUDEDIZE_COM6" read-preset 5
console "silent off"

# Nothing behind the port, or no port at all.
expect 1 "^orvel-cli: no controller answered on COM 7 \($work/no-such-port\)$" --com 7 read-preset 5
expect 1 "^orvel-cli: cannot open $work/no-such-port: No such file or directory$" --device "$work/no-such-port" backup "$work/x.ini"
expect 1 "^orvel-cli: no USB converter with serial number NOSUCH01 found$" --serial NOSUCH01 read-settings

# A transfer cut off half-way ends with its own text; the controller identified itself first.
console "stop-after 30"
expect 1 "^Orvel: 021: transmission error$" --com 6 read-bank 4
# The current preset's reply cut off after its first byte (the identification takes six).
console "stop-after 7"
expect 1 "^orvel-cli: 021: transmission error$" --com 6 current
# The default check then reports the read's failure, never a preset.
console "stop-after 6"
expect 1 "^Orvel: 021: transmission error$" --com 6 check-defaults
console "stop-after off"
# A current preset reply that is not two digits is a failure naming its bytes, never a preset.
console "preset-reply 0 12"
expect 1 "^orvel-cli: The controller's current preset reply 0x00 0x0C names no preset: both digits must be 0 to 9$" \
  --com 6 current
console "preset-reply 255 255"
expect 1 "^orvel-cli: The controller's current preset reply 0xFF 0xFF names no preset" current
console "preset-reply off"

# Files: named with the reason, and a destination that cannot be written is found before the
# controller is read (a silent one would otherwise be the complaint).
console "silent on"
expect 1 "^orvel-cli: Cannot save \"$work/missing/x.ini\": No such file or directory$" --com 6 backup "$work/missing/x.ini"
expect 1 "^orvel-cli: Cannot read \"$work\": Is a directory$" --com 6 read-preset 5 --into "$work"
expect 1 "^orvel-cli: Cannot read \"$work/nothing.ini\": No such file or directory$" --com 6 restore "$work/nothing.ini"
console "silent off"
expect 1 "^orvel-cli: Cannot save \"$work/missing/image.h\": No such file or directory$" export-header "$work/missing/image.h"
expect 1 "^orvel-cli: Cannot save \"$work\": Is a directory$" export-header "$work"

# A wrong command line: exit status 2 and the reason, naming what was wrong.
for number in 0x10 abc 5a 100; do
  expect 2 "^orvel-cli: preset: \"$number\" is not a decimal number from 0 to 99$" read-preset "$number"
done
expect 2 "^orvel-cli: --com: \"0x6\" is not a decimal number from 1 to 99$" --com 0x6 identify
expect 2 "^orvel-cli: unknown command \"frob\"; the commands are list, identify, .*, upgrade, export-header, print-table, show, set, export-csv, import-csv$" --com 6 frob
expect 2 "^orvel-cli: no command given; the commands are list, " --com 6

if [ "$failures" -ne 0 ]; then echo "$failures failed"; exit 1; fi
echo "all passed"
