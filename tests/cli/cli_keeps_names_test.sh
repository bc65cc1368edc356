#!/usr/bin/env bash
# orvel-cli's reads into an existing preset file (backup, read-bank --into, read-preset
# --into, read-settings --into) take the controller's values and keep what the controller
# does not hold: the preset names and the sections and keys the file has besides; each says
# whose names it kept. A backup to a new file holds the controller's set-up alone.
# Arguments: the orvel-cli program, the kpx-sim program.
set -euo pipefail
cli=$1
sim=$2
. "$(dirname "$0")/sim_session.sh"
start_sim --serial KEEPS001
load_sim_env

fail() { echo "FAILED: $*"; exit 1; }
# value FILE SECTION KEY: the key's value in that section.
value() { awk -v s="[$2]" -v k="$3" '/^\[/ { on = ($0 == s) } on && index($0, k "=") == 1 { print substr($0, length(k) + 2) }' "$1"; }
# named FILE: the same file with three presets named, one value the controller does not
# have, and a section of its own.
named() {
  awk '
    /^\[/ { section = $0 }
    section == "[preset37]" && /^name=/ { $0 = "name=Lead" }
    section == "[preset31]" && /^name=/ { $0 = "name=Clean" }
    section == "[preset5]" && /^name=/ { $0 = "name=Solo" }
    section == "[preset37]" && /^midi1=/ { $0 = "midi1=99" }
    { print }
    END { print "[notes]"; print "text=kept as it is" }' "$1"
}

"$cli" backup "$work/new.ini" >"$work/out"
[ "$(cat "$work/out")" = "backed up to $work/new.ini" ] || fail "backup to a new file said: $(cat "$work/out")"
[ "$(value "$work/new.ini" preset37 name)" = "" ] || fail "a new file has a name"

named "$work/new.ini" >"$work/first.ini"
"$cli" backup "$work/first.ini" >"$work/out"
printf 'kept the names of 3 presets from %s\nbacked up to %s\n' "$work/first.ini" "$work/first.ini" >"$work/expected"
diff "$work/expected" "$work/out" || fail "backup over a named file"

named "$work/new.ini" >"$work/bank.ini"
[ "$("$cli" read-bank 3 --into "$work/bank.ini" | tail -1)" = "kept the names of 2 presets from $work/bank.ini" ] ||
  fail "read-bank --into"
named "$work/new.ini" >"$work/preset.ini"
[ "$("$cli" read-preset 37 --into "$work/preset.ini" | tail -1)" = "kept the name of 1 preset from $work/preset.ini" ] ||
  fail "read-preset --into"
named "$work/new.ini" >"$work/settings.ini"
"$cli" read-settings --into "$work/settings.ini" | grep -q "^kept" && fail "read-settings --into kept names it did not read over"

for file in first bank preset settings; do
  ini=$work/$file.ini
  [ "$(value "$ini" preset37 name)" = "Lead" ] || fail "$file: the name of preset 37 is lost"
  [ "$(value "$ini" preset31 name)" = "Clean" ] || fail "$file: the name of preset 31 is lost"
  [ "$(value "$ini" preset5 name)" = "Solo" ] || fail "$file: the name of preset 5 is lost"
  [ "$(value "$ini" notes text)" = "kept as it is" ] || fail "$file: the file's own section is lost"
done
# The controller's value replaced the file's where it was read.
for file in first bank preset; do
  [ "$(value "$work/$file.ini" preset37 midi1)" = "unu" ] || fail "$file: preset 37 not read"
done
[ "$(value "$work/settings.ini" preset37 midi1)" = "99" ] || fail "read-settings changed a preset"

echo "1 passed, 0 failed"
