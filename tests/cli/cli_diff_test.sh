#!/usr/bin/env bash
# orvel-cli diff against kpx-sim on a USB converter: a controller holding three presets, one
# bank function and one setting other than the file's gives one line for each of them and
# exit status 1; the same file after a restore gives none and 0; a file that cannot be read
# and a controller that does not answer give one line on standard error and 2.
# Arguments: the orvel-cli program, the kpx-sim program.
set -euo pipefail
cli=$1
sim=$2
. "$(dirname "$0")/sim_session.sh"
start_sim --serial DIFFTST1
load_sim_env

fail() { echo "FAILED: $*"; exit 1; }
status_of() { set +e; "$@"; local s=$?; set -e; return $s; }

"$cli" backup "$work/factory.ini" >/dev/null || fail "backup"

# The controller gets three presets, one bank function and one setting of its own; the
# names in the file are not compared.
awk '
  /^\[/ { section = $0 }
  section == "[preset37]" && /^midi1=/ { $0 = "midi1=64" }
  section == "[preset0]" && /^l3=/ { $0 = "l3=1" }
  section == "[preset99]" && /^ctrl7=/ { $0 = "ctrl7=tog" }
  section == "[bank]" && /^wp5=/ { $0 = "wp5=0" }
  section == "[settings]" && /^ctrl2=/ { $0 = "ctrl2=100" }
  { print }' "$work/factory.ini" >"$work/controller.ini"
"$cli" restore "$work/controller.ini" >/dev/null || fail "restore"
sed -i '/^\[preset12\]/,/^\[/ s/^name=.*$/name=Lead/' "$work/factory.ini"

set +e
"$cli" diff "$work/factory.ini" >"$work/diff.out" 2>"$work/diff.err"
status=$?
set -e
[ "$status" -eq 1 ] || fail "diff of a different controller exited $status: $(cat "$work/diff.err")"
cat >"$work/expected" <<'LINES'
preset 0 LOOP 3: file off, controller on
preset 37 MIDI1: file unu, controller 64
preset 99 Ctrl 7: file unu, controller tog
bank 5 wah-pad function: file Add, controller Pr9
settings CTRL number 2: file 82, controller 100
LINES
diff "$work/expected" "$work/diff.out" || fail "diff lines"
[ ! -s "$work/diff.err" ] || fail "diff said on stderr: $(cat "$work/diff.err")"

"$cli" diff "$work/controller.ini" >"$work/same.out" 2>&1 || fail "diff of an equal controller: $(cat "$work/same.out")"
[ ! -s "$work/same.out" ] || fail "an equal controller printed: $(cat "$work/same.out")"

set +e
"$cli" diff "$work/missing.ini" >"$work/missing.out" 2>&1
status=$?
set -e
[ "$status" -eq 2 ] || fail "a missing file exited $status"
[ "$(wc -l <"$work/missing.out")" -eq 1 ] && grep -q '^orvel-cli: .*missing.ini' "$work/missing.out" \
  || fail "missing file text: $(cat "$work/missing.out")"

set +e
"$cli" --serial NOSUCH01 diff "$work/controller.ini" >"$work/none.out" 2>&1
status=$?
set -e
[ "$status" -eq 2 ] || fail "no controller exited $status"
[ "$(wc -l <"$work/none.out")" -eq 1 ] || fail "no controller text: $(cat "$work/none.out")"

echo "1 passed, 0 failed"
