#!/usr/bin/env bash
# orvel-cli keeps every file name as the bytes it was given, up to the longest name the
# folder takes: a backup, a read into a file, a restore from it, the exported header and the
# printed table are written to and read from exactly the named file, report that name, and
# leave nothing else beside it.
# Arguments: the orvel-cli program, the kpx-sim program, and "print" when print-table is built.
set -euo pipefail
cli=$(readlink -f "$1")
sim=$(readlink -f "$2")
print=${3:-}
. "$(dirname "$0")/sim_session.sh"
start_sim --serial NAMES001
load_sim_env
unset DISPLAY WAYLAND_DISPLAY
export XDG_CONFIG_HOME="$work/config"

fail() { echo "FAILED: $*"; exit 1; }
mkdir "$work/files"
cd "$work/files"

# "café" in Latin-1 and a name one byte from it (no UTF-8 text names either), and the
# longest name the folder takes.
latin1=$(printf 'caf\351')
other=$(printf 'caf\350')
longest=$(printf 'n%.0s' $(seq 251))
expected=()
for stem in "$latin1" "$other" "$longest"; do
  ini=$stem.ini
  [ "$("$cli" backup "$ini")" = "backed up to $ini" ] || fail "backup to a ${#ini}-byte name"
  "$cli" read-preset 37 --into "$ini" >/dev/null || fail "read-preset --into a ${#ini}-byte name"
  [ "$("$cli" restore "$ini")" = "restored from $ini" ] || fail "restore from a ${#ini}-byte name"
  "$cli" diff "$ini" || fail "diff of a ${#ini}-byte name"
  header=${stem:0:253}.h
  "$cli" export-header "$header" | grep -q " written to $header\$" || fail "export-header to a ${#header}-byte name"
  expected+=("$ini" "$header")
  if [ "$print" = print ]; then
    pdf=${stem:0:251}.pdf
    "$cli" print-table "$pdf" | grep -q " written to $pdf\$" || fail "print-table to a ${#pdf}-byte name"
    [ "$(head -c 5 "$pdf")" = "%PDF-" ] || fail "no PDF under a ${#pdf}-byte name"
    expected+=("$pdf")
  fi
done

printf '%s\n' "${expected[@]}" | LC_ALL=C sort >"$work/expected"
LC_ALL=C ls -A | LC_ALL=C sort >"$work/found"
diff "$work/expected" "$work/found" >/dev/null || fail "other files than the named ones: $(LC_ALL=C ls -A | od -c | head)"
echo "1 passed, 0 failed"
