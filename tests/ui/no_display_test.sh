#!/usr/bin/env bash
# The editor without a display: one line saying so and exit status 2, never Qt's advice to
# reinstall and an abort; --help and --version still answer.
#   no_display_test.sh ORVEL
set -u
orvel=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

for platform in "" xcb wayland; do
  status=0
  (cd "$work" && env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM="$platform" HOME="$work" \
    "$orvel" >"$work/out" 2>"$work/err") || status=$?
  [ "$status" -eq 2 ] || fail "QT_QPA_PLATFORM=$platform: status $status, expected 2: $(cat "$work/err")"
  [ "$(wc -l <"$work/err")" -eq 1 ] || fail "QT_QPA_PLATFORM=$platform: not one line: $(cat "$work/err")"
  grep -q '^orvel: cannot open a display' "$work/err" || fail "unexpected text: $(cat "$work/err")"
  [ ! -s "$work/out" ] || fail "standard output: $(cat "$work/out")"
done
[ -z "$(ls -A "$work" | grep -v '^out$\|^err$')" ] || fail "files left: $(ls -A "$work")"

for option in --help --version; do
  env -u DISPLAY -u WAYLAND_DISPLAY "$orvel" "$option" >"$work/out" 2>&1 || fail "$option failed"
  [ -s "$work/out" ] || fail "$option printed nothing"
done
echo "no display: one line, status 2"
