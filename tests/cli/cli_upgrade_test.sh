#!/usr/bin/env bash
# The firmware upgrade from orvel-cli on a device path that no COM port number names, on a
# terminal (run under script): the question comes with no progress bar above it, each step
# is named as it runs, the slow erase with the seconds it has taken, and the controller
# ends up with the new firmware. A declined upgrade is no success and changes nothing.
# Arguments: the orvel-cli program, the kpx-sim program.
set -uo pipefail
cli=$1
sim=$2
. "$(dirname "$0")/sim_session.sh"

# A slow erase, so that its seconds are counted on the screen.
start_sim --serial "" --com 1 --erase-ms 2500 --loader-version 2.2.4
device=$(sed -n 's/^ZUDEDIZE_COM1=//p' "$work/env")
[ -n "$device" ] || { echo "FAILED: kpx-sim gave no line"; exit 1; }

failures=0
fail() { echo "FAILED: $*"; failures=$((failures + 1)); }

# Declined: exit status 1, and nothing past the question.
echo n | script -qec "\"$cli\" --device \"$device\" upgrade" /dev/null >"$work/declined.out"
[ "${PIPESTATUS[1]}" -ne 0 ] || fail "a declined upgrade exited with 0"
grep -q 'switching to the loader' "$work/declined.out" && fail "a declined upgrade went on"

echo y | script -qec "\"$cli\" --device \"$device\" upgrade" /dev/null >"$work/upgrade.out"
[ "${PIPESTATUS[1]}" -eq 0 ] || fail "upgrade exit status ${PIPESTATUS[1]}: $(cat "$work/upgrade.out")"

# Everything before the question is the question's own text: no bar, no percentage.
before=$(sed -n '1,/^Question:/p' "$work/upgrade.out")
grep -q 'Question:' <<<"$before" || fail "no question: $(cat "$work/upgrade.out")"
grep -qE '%|\[#* +\]' <<<"$before" && fail "a progress bar above the question: $before"
grep -q 'KPX-2/KPX-3 firmware version:      2.24' "$work/upgrade.out" || fail "the question names no version"

for step in 'switching to the loader' 'erasing the flash (up to 31 s)' 'erasing the flash (up to 31 s) … [12] s' \
            'block 1 of 89' 'block 89 of 89' 'checking the CRC'; do
  grep -q -- "$step" "$work/upgrade.out" || fail "step \"$step\" not shown"
done
grep -q 'Information: Firmware upgraded successfully to 2.25 version' "$work/upgrade.out" || fail "no success line"

if [ "$failures" -ne 0 ]; then echo "$failures failed"; exit 1; fi
echo "all passed"
