#!/usr/bin/env bash
# Builds the .deb from an existing build (no rebuild: CPack installs what is built) and checks
# it: its files against the installation's list under /usr, its control file (the runtime
# dependencies dpkg-shlibdeps found, maintainer, section, description) and lintian, which
# must report no errors (warnings are shown, not fatal).
# Argument: the build folder (default: build).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
list=$build/tests/package/installed_files.txt

rm -f "$build"/orvel_*.deb
(cd "$build" && cpack -G DEB >cpack.log 2>&1) || { cat "$build/cpack.log"; exit 1; }
deb=$(ls "$build"/orvel_*.deb)
echo "built $deb"

failures=0
fail() { echo "FAILED: $*"; failures=$((failures + 1)); }

# The files, as the installation lays them out under /usr.
diff <(sed 's|^|/usr/|' "$list" | sort) \
     <(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $6 }' | sed 's|^\.||' | sort) >"$build/deb-files.diff" ||
  fail "the package's files differ from the list (< missing, > not listed):$(printf '\n'; cat "$build/deb-files.diff")"

# The control file.
control=$(dpkg-deb -f "$deb")
field() { printf '%s\n' "$control" | sed -n "s/^$1: //p"; }
[ "$(field Package)" = orvel ] || fail "Package: $(field Package)"
[ -n "$(field Version)" ] || fail "no Version"
[ "$(field Section)" = sound ] || fail "Section: $(field Section)"
[[ "$(field Maintainer)" =~ ^.+\ \<.+@.+\>$ ]] || fail "Maintainer: $(field Maintainer)"
depends=" $(field Depends | sed 's/ ([^)]*)//g'),"   # " a, b, c,"
for dependency in libc6 libstdc++6 libqt6widgets6 libqt6printsupport6 libsimpleini1 qt6-qpa-plugins fonts-dejavu-core; do
  [[ "$depends" == *" $dependency,"* ]] || fail "Depends lacks $dependency: $(field Depends)"
done
[ "$(printf '%s\n' "$control" | grep -c '^ ')" -ge 3 ] || fail "no extended description"
dpkg-deb --ctrl-tarfile "$deb" | tar -t >"$build/deb-control.list"
for part in shlibs triggers postinst postrm; do
  grep -qx "./$part" "$build/deb-control.list" || fail "no $part in the control archive"
done

# Everything the package installs is stripped.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
dpkg-deb -x "$deb" "$scratch"
for file in "$scratch"/usr/bin/* "$scratch"/usr/lib/*/libkpx2.so.*.*; do
  [[ "$(file -b "$file")" == *"not stripped"* ]] && fail "$(basename "$file") is not stripped"
done

echo "lintian:"
lintian --tag-display-limit 0 "$deb" | tee "$build/lintian.log" || true
grep -q '^E: ' "$build/lintian.log" && fail "lintian reports errors"

[ "$failures" -eq 0 ] || { echo "$failures failure(s)"; exit 1; }
echo "package checked"
