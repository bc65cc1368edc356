#!/usr/bin/env bash
# A converter or a numbered serial port that is there but that the user may not open: orvel-cli
# names it, its group and the udev rule in one line, instead of saying that no controller
# answered. The test runs as root and runs orvel-cli as nobody (setpriv).
# Arguments: the orvel-cli program, the kpx-sim program.
set -uo pipefail
cli=$1
sim=$2
[ "$(id -u)" -eq 0 ] || { echo "needs root to give the device away"; exit 77; }
command -v setpriv >/dev/null || { echo "needs setpriv (util-linux)"; exit 77; }
. "$(dirname "$0")/sim_session.sh"
start_sim --console --serial PERM0001 --com 6
load_sim_env

failures=0
fail() { echo "FAILED: $*"; failures=$((failures + 1)); }

# as_nobody STATUS PATTERN ARGS...: orvel-cli run as nobody; its exit status, and standard
# error exactly one line matching the pattern.
as_nobody() {
  local status=$1 pattern=$2
  shift 2
  setpriv --reuid=nobody --regid=nogroup --clear-groups -- "$cli" "$@" >"$work/out" 2>"$work/err"
  local got=$?
  [ "$got" -eq "$status" ] || fail "orvel-cli $*: exit status $got, not $status"
  [ "$(wc -l <"$work/err")" -eq 1 ] || fail "orvel-cli $*: not one line on stderr: $(cat "$work/err")"
  grep -qE -- "$pattern" "$work/err" || fail "orvel-cli $*: \"$(cat "$work/err")\" does not match \"$pattern\""
}

# The redirected tree is readable by everyone; the controller's tty belongs to dialout.
tty=$ZUDEDIZE_COM6
chmod 0755 "$ORVEL_SYSROOT"
chown root:dialout "$tty"
chmod 0660 "$tty"
rule="or install Orvel's udev rule 60-orvel-kpx\.rules and plug the converter in again\.$"
group='Add your user to its group "dialout" \(sudo usermod -aG dialout nobody, then log in again\)'

as_nobody 1 "^orvel-cli: No permission to open $ORVEL_SYSROOT/dev/ttyUSB0\. $group $rule" read-settings
as_nobody 1 "^orvel-cli: No permission to open $ORVEL_SYSROOT/dev/ttyUSB0\. $group $rule" --serial PERM0001 identify
as_nobody 1 "^orvel-cli: No permission to open $tty\. $group\.$" --com 6 read-preset 5
as_nobody 1 "^orvel-cli: No permission to open $tty\. $group\.$" --device "$tty" current

# Given back to its user, the same converter answers, and a silent one is still "no controller".
chmod 0666 "$tty"
setpriv --reuid=nobody --regid=nogroup --clear-groups -- "$cli" identify >"$work/out" 2>&1 ||
  fail "identify as nobody on an open device: $(cat "$work/out")"
echo "silent on" >&3
for _ in $(seq 100); do grep -q "silent on" "$work/sim.log" && break; sleep 0.05; done
as_nobody 1 "^orvel-cli: no controller answered on any USB converter \(PERM0001\)$" identify

[ "$failures" -eq 0 ] || { echo "$failures failure(s)"; exit 1; }
echo "all permission checks passed"
