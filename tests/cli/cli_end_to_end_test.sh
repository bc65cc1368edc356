#!/usr/bin/env bash
# orvel-cli end to end against kpx-sim on a USB converter: back up, change the file, restore,
# back up again and compare; a file holding a value of wrong form is refused and changes
# nothing on the controller.
# Arguments: the orvel-cli program, the kpx-sim program.
set -euo pipefail
cli=$1
sim=$2
. "$(dirname "$0")/sim_session.sh"
start_sim --serial CLITEST1
load_sim_env

fail() { echo "FAILED: $*"; exit 1; }

"$cli" backup "$work/first.ini" >/dev/null || fail "first backup"
grep -q '^\[preset0\]' "$work/first.ini" || fail "backup has no preset0"

# Preset 37 gets a program and a control, bank 5 loses its wah-pad function, CTRL 2 is 100.
awk '
  /^\[/ { section = $0 }
  section == "[preset37]" && /^midi1=/ { $0 = "midi1=64" }
  section == "[preset37]" && /^ctrl3=/ { $0 = "ctrl3=tog" }
  section == "[bank]" && /^wp5=/ { $0 = "wp5=0" }
  section == "[settings]" && /^ctrl2=/ { $0 = "ctrl2=100" }
  { print }' "$work/first.ini" >"$work/changed.ini"
"$cli" restore "$work/changed.ini" >/dev/null || fail "restore"
"$cli" backup "$work/second.ini" >/dev/null || fail "second backup"
diff <(grep -v '^$' "$work/changed.ini") <(grep -v '^$' "$work/second.ini") || fail "backup after restore differs"

# A hand-edited value of wrong form: refused, and the controller keeps what it had.
sed 's/^midi1=64$/midi1=sixty/' "$work/changed.ini" >"$work/bad.ini"
sed -i 's/^ctrl2=100$/ctrl2=99/' "$work/bad.ini"
if "$cli" restore "$work/bad.ini" >"$work/bad.out" 2>&1; then fail "a bad file was restored"; fi
grep -q 'Preset 37: MIDI1 holds "sixty", which the controller cannot take. Nothing was sent.' "$work/bad.out" \
  || fail "refusal text: $(cat "$work/bad.out")"
"$cli" backup "$work/third.ini" >/dev/null || fail "third backup"
diff <(grep -v '^$' "$work/second.ini") <(grep -v '^$' "$work/third.ini") || fail "the refused restore changed the controller"

"$cli" check-defaults >"$work/check.out" 2>&1 && fail "check-defaults passed a changed controller"
grep -q 'Preset 37 nie ma wartości domyślnej' "$work/check.out" || fail "check text: $(cat "$work/check.out")"

# An existing empty file takes a backup as a new one; a file of other text is left alone.
: >"$work/empty.ini"
"$cli" read-preset 37 --into "$work/empty.ini" >/dev/null || fail "read into an empty file"
grep -q '^midi1=64$' "$work/empty.ini" || fail "the empty file did not receive preset 37"
echo "shopping list" >"$work/list.txt"
"$cli" backup "$work/list.txt" >/dev/null 2>&1 && fail "a backup over a file of other text"
[ "$(cat "$work/list.txt")" = "shopping list" ] || fail "the other file was changed"

echo "1 passed, 0 failed"
