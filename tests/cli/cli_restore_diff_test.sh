#!/usr/bin/env bash
# "restore F" and then "diff F" find no difference for every preset file restore accepts:
# the preset files of the test data and one holding each value the controller stores as
# another, which restore names ("preset 37 MIDI1 200 is stored as 128"). Against a
# controller with the extended options and against one below version 2.
# Arguments: the orvel-cli program, the kpx-sim program, the folder of preset files.
set -euo pipefail
cli=$1
sim=$2
corpus=$3
. "$(dirname "$0")/sim_session.sh"

fail() { echo "FAILED: $*"; exit 1; }
stop_sim() {
  kill "$sim_pid" && wait "$sim_pid" || true
  sim_pid=""
  rm -f "$work/env"
}

# The controller's own set-up with every lossy value put in.
lossy() {
  awk '
    /^\[/ { section = $0 }
    section == "[preset37]" && /^midi1=/ { $0 = "midi1=200" }
    section == "[preset37]" && /^midi2=/ { $0 = "midi2=129" }
    section == "[preset37]" && /^midi3_pc=/ { $0 = "midi3_pc=0" }
    section == "[preset37]" && /^ctrl1=/ { $0 = "ctrl1=129" }
    section == "[preset37]" && /^ctrl2=/ { $0 = "ctrl2=222" }
    section == "[preset37]" && /^ctrl3=/ { $0 = "ctrl3=007" }
    section == "[settings]" && /^key1=/ { $0 = "key1=cb3" }
    section == "[settings]" && /^key2=/ { $0 = "key2=uP7" }
    section == "[settings]" && /^key3=/ { $0 = "key3=uL9" }
    section == "[settings]" && /^key6=/ { $0 = "key6=n3A" }
    section == "[settings]" && /^key7=/ { $0 = "key7=tu9" }
    section == "[settings]" && /^key8=/ { $0 = "key8=AF2" }
    { print }' "$1"
}

for controller in "long 30" "short 1"; do
  read -r form version <<<"$controller"
  start_sim --serial STORED01 --form "$form" --firmware-version "$version"
  load_sim_env
  "$cli" backup "$work/factory.ini" >/dev/null
  lossy "$work/factory.ini" >"$work/lossy.ini"

  accepted=0
  for file in "$corpus"/* "$work/lossy.ini"; do
    "$cli" restore "$file" >/dev/null 2>&1 || continue
    accepted=$((accepted + 1))
    "$cli" diff "$file" >"$work/diff.out" 2>&1 ||
      fail "diff after restoring $(basename "$file") (version $version): $(head -3 "$work/diff.out")"
  done
  [ "$accepted" -ge 3 ] || fail "only $accepted files were restored (version $version)"

  {
    echo "preset 37 MIDI1 200 is stored as 128"
    echo "preset 37 MIDI2 129 is stored as 128"
    echo "preset 37 MIDI3 0 is stored as unu"
    echo "preset 37 Ctrl 1 129 is stored as 128"
    echo "preset 37 Ctrl 2 222 is stored as tog"
    [ "$version" -lt 2 ] && echo "settings BANKS cb3 is stored as cb1"
    echo "settings WAH PAD MODE uP7 is stored as uP2"
    echo "settings WAH PAD CONNECTION uL9 is stored as uL1"
    [ "$version" -lt 2 ] && echo "settings MIDI MODE n3A is stored as n3P"
    echo "settings TUNER MODE tu9 is stored as tu1"
    echo "restored from $work/lossy.ini"
  } >"$work/expected"
  "$cli" restore "$work/lossy.ini" >"$work/restore.out"
  diff "$work/expected" "$work/restore.out" || fail "restore's lines (version $version)"
  stop_sim
done

echo "1 passed, 0 failed"
