#!/usr/bin/env bash
# orvel-cli print-table without a display: the start state and a preset file as PDF pages
# (read back with pdftotext), saved print settings taken into account, and refusals that
# leave nothing behind.
# Argument: the orvel-cli program.
set -euo pipefail
cli=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAILED: $*"; exit 1; }
unset DISPLAY WAYLAND_DISPLAY
export XDG_CONFIG_HOME="$work/config"

out=$("$cli" print-table "$work/start.pdf") || fail "start state"
pages=$(pdfinfo "$work/start.pdf" | awk '/^Pages:/ { print $2 }')
[ "$out" = "$pages pages written to $work/start.pdf" ] || fail "reported: $out (pdf has $pages pages)"
pdftotext -f "$pages" -l "$pages" "$work/start.pdf" - | grep -qx "$pages/$pages" || fail "last page number"

# A set-up whose last preset (row 100 of the grid) carries a name: it is on the last page.
cat >"$work/setup.ini" <<'INI'
[preset0]
name=Encore
modifier=LOOP
INI
"$cli" print-table "$work/setup.pdf" --from "$work/setup.ini" >/dev/null || fail "from a preset file"
pdftotext -f "$pages" -l "$pages" "$work/setup.pdf" - | grep -q "Encore" || fail "name not on the last page"
pdftotext -f 1 -l 1 "$work/setup.pdf" - | grep -q "Encore" && fail "name on the first page"

# Saved print settings: portrait pages.
mkdir -p "$XDG_CONFIG_HOME/orvel"
printf '[print]\nLandscape=0\n' >"$XDG_CONFIG_HOME/orvel/print.ini"
"$cli" print-table "$work/portrait.pdf" >/dev/null || fail "portrait"
pdfinfo "$work/portrait.pdf" | grep -Eq "Page size: +595(\.[0-9]+)? x 84[12]" || fail "saved settings not used"

# Refusals: a missing preset file, a folder that is not there.
"$cli" print-table "$work/x.pdf" --from "$work/none.ini" >/dev/null 2>&1 && fail "missing preset file accepted"
"$cli" print-table "$work/no/such/x.pdf" >/dev/null 2>&1 && fail "missing folder accepted"
[ ! -e "$work/x.pdf" ] && [ ! -e "$work/no" ] || fail "a refused print left a file"
echo "print-table: all checks passed"
