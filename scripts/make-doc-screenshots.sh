#!/usr/bin/env bash
# Makes the pictures README.md and docs/user-guide.md show, from the editor's real window on a
# virtual display (Xvfb, 1280 x 800 at 96 dpi, no window manager) connected to kpx-sim behind a
# USB converter, into docs/screenshots/:
#   page-<name>.png          each page of the window (the names in `pages` below); the
#                            library holds a few files made here
#   data-transfer-menu.png   the "Data transfer" menu opened on the "Presets" page
#   differences.png          "Compare with controller": the marked cells and the list
#   print-dialog.png         the print settings dialog with its preview
#   unsaved-changes.png      the question before unsaved changes would be dropped
# The set-up shown is made here with orvel-cli: ten named presets in bank 1, written to the
# controller, then three values changed in the file so that the comparison finds them. The
# same build and fonts make the same files. Run it after a visible change to the window and
# commit the pictures; docs/screenshots/main-window.png (the metainfo's) is
# scripts/make-screenshot.sh's.
# Argument: the build folder (default: build); orvel, orvel-cli and kpx-sim are built there.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
out=docs/screenshots
root=$(pwd)

# The window's pages in the order of their tabs, and the one it starts on. A new page needs
# only its name here: it is shot as page-<name>.png.
pages=(settings presets preview library)
start_page=presets

bash scripts/install-deps.sh xvfb xdotool imagemagick optipng
cmake --build "$build" --target orvel kpx-sim orvel-cli

source scripts/lib/x-session.sh
x_session_start
export LC_ALL=C.UTF-8
x_display 1280x800 96

# The virtual controller behind the USB converter KPX00001, on preset 13; unpaced, so that
# the transfers below take no time.
x_sim "$build" --serial KPX00001 --preset 13 --no-pace

# The set-up: bank 1 named and filled, the controller given the same, then three values the
# comparison will find.
mkdir -p "$work/editor" "$work/config"
cli() { "$root/$build/editor/cli/orvel-cli" "$@" >/dev/null; }
setup=$work/editor/setup.ini
cli backup "$setup"
cli set "$setup" preset 11 name=Clean buffer=1
cli set "$setup" preset 12 'name=Clean Chorus' loop1=1 midi1=5
cli set "$setup" preset 13 name=Crunch loop2=1 midi1=12
cli set "$setup" preset 14 name=Rhythm loop2=1 loop3=1 midi1=14
cli set "$setup" preset 15 name=Lead loop2=1 loop4=1 switch1=1 midi1=20
cli set "$setup" preset 16 'name=Lead Delay' loop4=1 loop5=1 midi1=21 midi2=3
cli set "$setup" preset 17 type=LOOP name=Boost loop6=1
cli set "$setup" preset 18 name=Ambient loop5=1 midi1=40
cli set "$setup" preset 19 type=MIDI 'name=Synth Pad' midi3=8 ctrl1=64
cli set "$setup" preset 10 type=SWITCH 'name=Amp Ch 2' switch2=1 aux1=1
cli restore "$setup"
cli set "$setup" preset 14 midi1=15
cli set "$setup" bank 2 function=Pr9
cli set "$setup" settings ctrl2=64

# The editor in folders of its own, so neither the user's settings nor recent files show; the
# file is named relative to its folder, so the status bar shows the same name every run.
# The library: a few set-ups of a band's, and another program's .ini, greyed.
library=$work/data/orvel/library
mkdir -p "$library/live" "$library/studio"
cp "$setup" "$library/live/gig.ini"
cp "$setup" "$library/studio/demo.ini"
cli set "$library/studio/demo.ini" preset 21 name=Verse loop1=1 midi1=30
cli set "$library/studio/demo.ini" preset 22 name=Chorus loop1=1 loop3=1 midi1=31
printf '[General]\nvolume=7\n' >"$library/mixer.ini"
find "$library" -type f -exec touch -d '2026-12-01 20:00' {} +   # the same times every run
(cd "$work/editor" && XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" \
  exec "$root/$build/editor/ui/orvel" setup.ini) \
  >"$work/editor.log" 2>&1 &
pids+=($!)
# The connection monitor has found the controller when the title names its firmware.
wait_for 150 xdotool search --onlyvisible --name 'KPX firmware version'
window=$(xdotool search --onlyvisible --name 'KPX firmware version' | head -1)
# The pointer out of the window, so that no hover or tooltip shows.
xdotool mousemove 1279 799

# Sends keys to the window of the id in $1 (with no window manager, focus is given by hand).
keys() {
  local id=$1
  shift
  xdotool windowfocus --sync "$id"
  xdotool key --delay 100 "$@"
}
# The id of the visible top-level window named exactly $1.
named() { xdotool search --onlyvisible --name "^$1\$" | head -1; }
# The screen is settled when two captures 0.3 s apart (longer than the preview's tick) are
# the same; the last one is left in $work/screen.png.
capture() { import -window root "$work/$1.png"; }
settled() {
  sleep 0.3
  capture next
  cmp -s <(convert "$work/screen.png" rgb:-) <(convert "$work/next.png" rgb:-) && return 0
  mv "$work/next.png" "$work/screen.png"
  return 1
}
settle() {
  capture screen
  wait_for 50 settled
}
# Writes the part WIDTHxHEIGHT+X+Y of the settled screen to $out/$1, without time stamps or
# other text chunks; "framed" draws a line round it (a dialog, which has no frame here).
save() {
  local file=$out/$1 part=$2 frame=()
  [ "${3:-}" = framed ] && frame=(-bordercolor gray55 -border 1)
  convert "$work/screen.png" -crop "$part" +repage "${frame[@]}" -strip "$file"
  optipng -quiet -o2 -strip all "$file"
  echo "$file: $(identify -format '%w x %h' "$file"), $(stat -c %s "$file") bytes"
}
# Sets X, Y, WIDTH and HEIGHT to the place and size of the window of the id in $1.
place_of() { eval "$(xdotool getwindowgeometry --shell "$1" | grep -E '^(X|Y|WIDTH|HEIGHT)=')"; }
# The place and size of the window of the id in $1 as WIDTHxHEIGHT+X+Y.
geometry() {
  place_of "$1"
  echo "${WIDTH}x${HEIGHT}+${X}+${Y}"
}
place_of "$window"
window_x=$X window_y=$Y window_width=$WIDTH window_height=$HEIGHT
whole_window=$(geometry "$window")

mkdir -p "$out"

# Each page: back to the first tab, then along them (Ctrl+Tab).
start_index=0
while [ "${pages[$start_index]}" != "$start_page" ]; do start_index=$((start_index + 1)); done
for _ in $(seq "$start_index"); do keys "$window" ctrl+shift+Tab; done
for page in "${pages[@]}"; do
  settle
  save "page-$page.png" "$whole_window"
  keys "$window" ctrl+Tab
done
# Ctrl+Tab has come round to the first tab; on to the start page.
for _ in $(seq "$start_index"); do keys "$window" ctrl+Tab; done

# The "Data transfer" menu, reached from "File" (Alt+F) along the menu bar.
menu_open() { [ "$(xdotool search --onlyvisible --classname orvel | wc -l)" -ge 2 ]; }
keys "$window" alt+f Right Right
wait_for 50 menu_open
menu=$(xdotool search --onlyvisible --classname orvel | grep -vx "$window" | head -1)
place_of "$menu"
settle
save data-transfer-menu.png "$((X + WIDTH + 24 - window_x))x$((Y + HEIGHT + 24 - window_y))+${window_x}+${window_y}"

# "Compare with controller", the menu's last item (an open menu holds the keyboard itself);
# its list moved aside so that the marked cells show.
xdotool key --delay 100 Up Return
wait_for 100 named 'Differences with the controller'
list=$(named 'Differences with the controller')
place_of "$list"
list_x=$((window_x + window_width - WIDTH - 68))
list_y=$((window_y + window_height - HEIGHT - 110))
xdotool windowmove --sync "$list" "$list_x" "$list_y"
settle
convert "$work/screen.png" -fill none -stroke gray55 \
  -draw "rectangle $((list_x - 1)),$((list_y - 1)) $((list_x + WIDTH)),$((list_y + HEIGHT))" "$work/screen.png"
save differences.png "$whole_window"
keys "$list" Escape

# "Print" (Ctrl+P).
keys "$window" ctrl+p
wait_for 100 named Print
dialog=$(named Print)
settle
save print-dialog.png "$(geometry "$dialog")" framed
keys "$dialog" Escape

# "Read all presets" brings the controller's values in, so the set-up differs from its file;
# then Quit (Ctrl+Q) asks first.
keys "$window" alt+f Right Right
wait_for 50 menu_open
xdotool key Return
wait_for 100 sh -c "xdotool getwindowname $window | grep -q '^setup.ini\\*'"
keys "$window" ctrl+q
wait_for 100 named 'Unsaved changes'
question=$(named 'Unsaved changes')
settle
save unsaved-changes.png "$(geometry "$question")" framed
keys "$question" Escape
