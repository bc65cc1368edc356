#!/usr/bin/env bash
# `cmake --install` into a scratch prefix lays out exactly the listed files, and what it lays
# out works from there as it is, with no ldconfig run and no LD_LIBRARY_PATH: the programs
# find the installed libkpx2.so by its SONAME through a search path relative to themselves
# (none into the build folder), the manual pages are the programs' own, the desktop entry is
# valid.
# Arguments: the build folder, the list of installed files (package and path on each line),
# the library folder.
set -uo pipefail
build=$1
list=$2
libdir=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix

failures=0
fail() { echo "FAILED: $*"; failures=$((failures + 1)); }

cmake --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1 || { cat "$work/install.log"; exit 1; }

diff <(cut -d' ' -f2 "$list" | sort) <(cd "$prefix" && find . \( -type f -o -type l \) | sed 's|^\./||' | sort) >"$work/diff" ||
  fail "installed files differ from the list (< missing, > not listed):$(printf '\n'; cat "$work/diff")"

# The library: its SONAME is the versioned link, the development link points at it.
library=$(ls "$prefix/$libdir"/libkpx2.so.*.* 2>/dev/null | head -1)
soname=$(objdump -p "$library" 2>/dev/null | awk '$1 == "SONAME" { print $2 }')
[ -n "$soname" ] && [ -L "$prefix/$libdir/$soname" ] || fail "libkpx2's SONAME \"$soname\" is no link beside it"
[ "$(readlink -f "$prefix/$libdir/libkpx2.so")" = "$(readlink -f "$library")" ] || fail "libkpx2.so does not lead to $library"

# The programs that use libkpx2 look for it beside themselves, and nothing keeps a search
# path into the build folder.
for file in "$prefix"/bin/* "$library"; do
  headers=$(objdump -p "$file")
  expected=""
  grep -q 'NEEDED.*libkpx2' <<<"$headers" && expected="\$ORIGIN/../$libdir"
  got=$(awk '$1 == "RPATH" || $1 == "RUNPATH" { print $2 }' <<<"$headers")
  [ "$got" = "$expected" ] || fail "$(basename "$file") searches libraries in \"$got\", not \"$expected\""
done

# The installed programs start from the prefix, the window without a display.
for program in orvel orvel-cli kpx-sim; do
  got=$(env -u DISPLAY -u WAYLAND_DISPLAY -u LD_LIBRARY_PATH "$prefix/bin/$program" --version 2>&1)
  [[ "$got" =~ ^$program\ [0-9]+\.[0-9]+$ ]] || fail "$program --version said: $got"
  page=$(zcat "$prefix/share/man/man1/$program.1.gz")
  grep -q "^\.TH \"\?${program^^}\"\? \"1\"" <<<"$page" || fail "$program.1.gz is not the manual page of $program"
  grep -qE '^\.SH (OPTIONS|DESCRIPTION)' <<<"$page" || fail "$program.1.gz has no description or options"
  grep -q '^\.SH "SEE ALSO"' <<<"$page" || fail "$program.1.gz has no SEE ALSO"
  # help2man tells a term from its text by two spaces in --help; with one, both stay on one
  # line of text with the column's spaces.
  merged=$(grep -n '   ' <<<"$page") && fail "$program.1.gz runs terms into their texts:$(printf '\n%s' "$merged")"
done
env -u DISPLAY -u LD_LIBRARY_PATH "$prefix/bin/orvel" --help | grep -q -- '--serial-port' || fail "orvel --help without a display"

if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$prefix/share/applications/orvel.desktop" || fail "the desktop entry is not valid"
fi
grep -q 'TAG+="uaccess"' "$prefix/lib/udev/rules.d/60-orvel-kpx.rules" || fail "the udev rule gives no seat access"

[ "$failures" -eq 0 ] || { echo "$failures failure(s)"; exit 1; }
echo "install layout as listed"
