#!/usr/bin/env bash
# orvel-cli current --follow against kpx-sim on a USB converter: one line for each preset
# the controller reports; the converter vanishing gives one line that the controller is gone,
# and a converter with the same serial number plugged in again one line that it is back,
# then its preset. SIGINT ends it with exit status 0. With --json every line is a JSON object.
# Arguments: the orvel-cli program, the kpx-sim program.
set -euo pipefail
cli=$1
sim=$2
. "$(dirname "$0")/sim_session.sh"
follower=""
trap '[ -z "$follower" ] || kill "$follower" 2>/dev/null; cleanup' EXIT

fail() { echo "FAILED: $*"; exit 1; }
# Waits up to 10 s for a line of the file to match the pattern.
wait_for_line() {
  for _ in $(seq 200); do grep -q -- "$2" "$1" && return 0; sleep 0.05; done
  fail "no line matching \"$2\" in $1: $(cat "$1")"
}
# Ends the follower with SIGINT and checks that it ends at once with exit status 0.
interrupt() {
  kill -INT "$1"
  local status=0
  wait "$1" || status=$?
  follower=""
  [ "$status" -eq 0 ] || fail "the follower exited $status after SIGINT"
}
# Unplugs the converter and ends that simulator; plugs in another with the same serial number.
unplug() {
  echo vanish >&3
  wait_for_line "$1" "$2"
  echo quit >&3
  wait "$sim_pid" || true
  sim_pid=""
}
plug_in() {
  rm -f "$work/env"
  start_sim --console --sysroot "$root" --serial FOLLOW01 --preset "$1"
}

root=$work/root
mkdir "$root"
start_sim --console --sysroot "$root" --serial FOLLOW01 --preset 5
load_sim_env

out=$work/follow.out
"$cli" current --follow >"$out" 2>"$work/follow.err" &
follower=$!
wait_for_line "$out" '^current preset: 5 '
echo "preset 12" >&3
wait_for_line "$out" '^current preset: 12 '
unplug "$out" '^controller gone: '
plug_in 45
wait_for_line "$out" '^current preset: 45 '
interrupt "$follower"
cat >"$work/expected" <<'LINES'
current preset: 5 (bank 0, preset 5)
current preset: 12 (bank 1, preset 2)
controller gone: no controller answered on the converter FOLLOW01
controller back: KPX2-3
current preset: 45 (bank 4, preset 5)
LINES
diff "$work/expected" "$out" || fail "follow lines"
[ ! -s "$work/follow.err" ] || fail "follow said on stderr: $(cat "$work/follow.err")"

json=$work/follow.json
"$cli" current --follow --json >"$json" &
follower=$!
wait_for_line "$json" '"preset":45'
echo "preset 99" >&3
wait_for_line "$json" '"preset":99'
unplug "$json" '"gone"'
plug_in 7
wait_for_line "$json" '"preset":7'
interrupt "$follower"
python3 - "$json" <<'PY' || fail "follow JSON lines: $(cat "$json")"
import json, sys
lines = [json.loads(line) for line in open(sys.argv[1])]
assert lines == [
    {"event": "preset", "preset": 45, "bank_digit": 4, "preset_digit": 5},
    {"event": "preset", "preset": 99, "bank_digit": 9, "preset_digit": 9},
    {"event": "gone"},
    {"event": "back", "identity": "KPX2-3"},
    {"event": "preset", "preset": 7, "bank_digit": 0, "preset_digit": 7},
], lines
PY

echo "1 passed, 0 failed"
