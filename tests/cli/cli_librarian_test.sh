#!/usr/bin/env bash
# orvel-cli on preset files alone: set checks each value as the grid does and changes nothing
# when one is refused; show prints the set-up as a table and as JSON; export-csv and
# import-csv give the same file back byte for byte and refuse a cell by row and column; diff
# compares two files; new files are made with the user's umask.
# Arguments: the orvel-cli program.
set -euo pipefail
cli=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
umask 027

fail() { echo "FAILED: $*"; exit 1; }
status_of() { local s=0; "$@" >out 2>err || s=$?; echo "$s"; }

# A CSV of no rows makes a new preset file of the start state.
printf 'B,P\r\n' >none.csv
"$cli" import-csv none.csv setup.ini >/dev/null && grep -q '^ctrl7=unu' setup.ini || fail "a new file"
"$cli" set setup.ini preset 37 midi1=12 'name=Lead, "clean"' 'ctrl 2=t' type=LOOP l3=1 2>err && fail "l3 is no field"
"$cli" set setup.ini preset 37 midi1=12 'name=Lead, "clean"' 'ctrl 2=t' type=LOOP 'loop 3=1' >out || fail "set preset"
[ "$(cat out)" = "set preset 37 in setup.ini" ] || fail "set said: $(cat out)"
"$cli" set setup.ini bank 3 function=pr9 >/dev/null || fail "set bank"
"$cli" set setup.ini settings CTRL2=64 'tuner mode=tu3' >/dev/null || fail "set settings"

# Each refusal or wrong use: its exit status, one line naming the value or field (a refusal in
# the grid's words), and no change.
cp setup.ini before.ini
while IFS='|' read -r expected named args; do
  read -ra words <<<"$args"
  status=$(status_of "$cli" set setup.ini "${words[@]}")
  [ "$status" = "$expected" ] || fail "set $args exited $status: $(cat err)"
  [ "$(wc -l <err)" -eq 1 ] && grep -qF -- "$named" err || fail "set $args said: $(cat err)"
  cmp -s setup.ini before.ini || fail "set $args changed the file"
done <<'CASES'
1|"0" is not a MIDI1 value|preset 37 midi1=0
1|"129" is not a MIDI2 value|preset 37 midi1=5 midi2=129
1|"t" is not a|preset 37 midi3=t
1|"MONO" is not a|preset 37 type=MONO
1|"17" is not a|settings midi1=17
1|"cb4" is not a|settings banks=cb4
1|"on" is not a|bank 3 function=on
2|"foo" is not a preset field|preset 37 foo=1
2|"b" is not a preset field|preset 37 b=1
2|"ctrl8" is not a settings field|settings ctrl8=1
2|preset needs a number from 0 to 99|preset 100 midi1=1
2|"tile" is not preset N, bank N or settings|tile 1 code=cb2
2|"midi1" is not FIELD=VALUE|preset 37 midi1
2|at least one FIELD=VALUE|settings
CASES
[ "$(status_of "$cli" set missing.ini preset 1 midi1=1)" = 1 ] && [ ! -e missing.ini ] || fail "set made a file"

"$cli" show setup.ini >table.txt || fail "show"
[ "$(sed -n 1p table.txt)" = "B P TYPE   NAME          BUFFER LOOP   SWITCH MIDI1 MIDI2 MIDI3 Ctrl1 Ctrl2 Ctrl3 Ctrl4 Ctrl5 Ctrl6 Ctrl7 AUX" ] \
  || fail "show header: $(sed -n 1p table.txt)"
[ "$(grep '^3 7 ' table.txt)" = '3 7 LOOP   Lead, "clean" -      --3--- ----   12    unu   unu   unu   tog   unu   unu   unu   unu   unu   --' ] \
  || fail "show preset 37: $(grep '^3 7 ' table.txt)"
grep -qx 'bank functions: 1 Add, 2 Add, 3 Pr9, 4 Add, 5 Add, 6 Add, 7 Add, 8 Add, 9 Add, 0 Add' table.txt \
  && grep -qx 'CTRL numbers: 81, 64, 83, 84, 85, 86, 87' table.txt && grep -qx 'TUNER MODE: tu3' table.txt \
  || fail "show settings: $(tail -11 table.txt)"
# A name of bytes that are not UTF-8, with a control character, still gives JSON.
printf '[preset12]\nname=\351t\001\n' >latin.ini
"$cli" show --json setup.ini >setup.json && "$cli" show --json latin.ini >latin.json || fail "show --json"
python3 - <<'PY' || fail "show --json: $(cat setup.json)"
import json
d = json.load(open("setup.json"))
p = d["presets"][37]
assert (p["preset"], p["type"], p["name"], p["midi1"], p["ctrls"][1], p["loops"]) == (
    37, "LOOP", 'Lead, "clean"', "12", "tog", [False, False, True, False, False, False]), p
assert len(d["presets"]) == 100 and d["presets"][0]["midi3"] == "unu"
assert d["bank_functions"] == ["Add"] * 3 + ["Pr9"] + ["Add"] * 6, d["bank_functions"]
assert d["settings"] == {"midi_channels": ["1", "2", "3"], "ctrl_numbers": ["81", "64", "83", "84", "85", "86", "87"]}
assert d["tiles"][6] == {"tile": 7, "title": "TUNER MODE", "code": "tu3"}, d["tiles"]
assert json.load(open("latin.json"))["presets"][12]["name"] == "\ufffdt\x01"
PY

# CSV: a header and 100 rows; taken back unchanged it leaves the file as it is; a file
# written again from an edited table and then from the first table is the same again.
"$cli" export-csv setup.ini presets.csv >/dev/null || fail "export-csv"
[ "$(stat -c %a presets.csv)" = 640 ] || fail "CSV mode $(stat -c %a presets.csv) under umask 027"
[ "$(wc -l <presets.csv)" -eq 101 ] && grep -q '^3,7,LOOP,"Lead, ""clean""",0,0,0,1,' presets.csv || fail "CSV text"
"$cli" import-csv presets.csv setup.ini >out || fail "import-csv"
[ "$(cat out)" = "setup.ini already holds these presets" ] && cmp -s setup.ini before.ini || fail "unchanged import"
sed 's/^1,4,PRESET,,0,0,0,0,0,0,0,0,0,0,0,unu,/1,4,PRESET,,0,0,0,0,0,0,0,0,0,0,0,99,/' presets.csv >edited.csv
cmp -s presets.csv edited.csv && fail "the edit did nothing"
"$cli" import-csv edited.csv setup.ini >/dev/null && "$cli" export-csv setup.ini again.csv >/dev/null || fail "edit"
cmp -s edited.csv again.csv || fail "export after import differs from the CSV imported"
"$cli" import-csv presets.csv setup.ini >/dev/null || fail "import back"
cmp -s setup.ini before.ini || fail "the file written back differs: $(diff before.ini setup.ini)"
"$cli" import-csv presets.csv new.ini >/dev/null && [ "$(stat -c %a new.ini)" = 640 ] || fail "new preset file"

# A refused cell names its row and column; nothing is written, nor made.
sed 's/^1,4,PRESET,,0,0,0,0,0,0,0,0,0,0,0,unu,/1,4,PRESET,,0,0,0,0,0,0,0,0,0,0,0,0,/' presets.csv >refused.csv
for target in setup.ini made.ini; do
  [ "$(status_of "$cli" import-csv refused.csv "$target")" = 1 ] || fail "refused import into $target"
  [ "$(wc -l <err)" -eq 1 ] && grep -qF 'refused.csv": row 5 (preset 14), MIDI1: "0" is not a MIDI1 value' err \
    || fail "refused import said: $(cat err)"
done
cmp -s setup.ini before.ini && [ ! -e made.ini ] || fail "a refused import wrote"

# diff of two files: the lines and exit statuses of diff against the controller.
cp setup.ini other.ini
[ "$(status_of "$cli" diff setup.ini other.ini)" = 0 ] && [ ! -s out ] && [ ! -s err ] || fail "equal files"
"$cli" set other.ini preset 0 midi2=5 'LOOP 1=1' >/dev/null && "$cli" set other.ini settings midi3=9 >/dev/null
[ "$(status_of "$cli" diff setup.ini other.ini)" = 1 ] || fail "different files: $(cat err)"
cat >expected <<'LINES'
preset 0 LOOP 1: setup.ini off, other.ini on
preset 0 MIDI2: setup.ini unu, other.ini 5
settings MIDI channel 3: setup.ini 3, other.ini 9
LINES
diff expected out || fail "diff lines"
"$cli" diff --json setup.ini other.ini >diff.json && fail "diff --json of different files exited 0"
python3 -c '
import json
d = json.load(open("diff.json"))
assert not d["equal"] and len(d["differences"]) == 3, d
assert d["differences"][1] == {"place": "preset", "number": 0, "field": "MIDI2", "first": "unu", "second": "5"}, d
assert d["differences"][2]["place"] == "settings" and d["differences"][2]["number"] is None, d' \
  || fail "diff --json: $(cat diff.json)"
[ "$(status_of "$cli" diff setup.ini missing.ini)" = 2 ] && [ "$(wc -l <err)" -eq 1 ] && grep -q 'missing.ini' err \
  || fail "a missing file: $(cat err)"

echo "1 passed, 0 failed"
