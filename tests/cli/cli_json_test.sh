#!/usr/bin/env bash
# orvel-cli --json against kpx-sim on a USB converter: list, identify, current and diff each
# print one JSON object that python reads back with the values the text lines show; a failure
# prints nothing on standard output.
# Arguments: the orvel-cli program, the kpx-sim program.
set -euo pipefail
cli=$1
sim=$2
. "$(dirname "$0")/sim_session.sh"
start_sim --serial JSONTST1 --preset 37
load_sim_env

fail() { echo "FAILED: $*"; exit 1; }

"$cli" list --json >"$work/list.json" || fail "list"
"$cli" identify --json >"$work/identify.json" || fail "identify"
"$cli" current --json >"$work/current.json" || fail "current"
"$cli" backup "$work/setup.ini" >/dev/null || fail "backup"
"$cli" diff --json "$work/setup.ini" >"$work/equal.json" || fail "diff of the controller's own set-up"
"$cli" set "$work/setup.ini" preset 37 midi1=64 >/dev/null && "$cli" set "$work/setup.ini" bank 5 function=Pr9 >/dev/null \
  || fail "set"
status=0
"$cli" diff --json "$work/setup.ini" >"$work/diff.json" || status=$?
[ "$status" -eq 1 ] || fail "diff --json of a different file exited $status"
status=0
"$cli" --serial NOSUCH01 identify --json >"$work/none.json" 2>/dev/null || status=$?
[ "$status" -eq 1 ] && [ ! -s "$work/none.json" ] || fail "no controller: $status, $(cat "$work/none.json")"

python3 - "$work" <<'PY' || fail "JSON: $(cat "$work"/*.json)"
import json, os, sys
def read(name):
    lines = open(os.path.join(sys.argv[1], name)).read().splitlines()
    assert len(lines) == 1, (name, lines)
    return json.loads(lines[0])
assert read("list.json") == {"converters": [{"tty": "ttyUSB0", "serial": "JSONTST1", "identity": "KPX2-3"}]}
assert read("identify.json") == {"identity": "KPX2-3", "firmware_version": 30}
assert read("current.json") == {"preset": 37, "bank_digit": 3, "preset_digit": 7}
assert read("equal.json") == {"equal": True, "differences": []}
assert read("diff.json") == {"equal": False, "differences": [
    {"place": "preset", "number": 37, "field": "MIDI1", "first": "64", "second": "unu"},
    {"place": "bank", "number": 5, "field": "wah-pad function", "first": "Pr9", "second": "Add"}]}
PY

echo "1 passed, 0 failed"
