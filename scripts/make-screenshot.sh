#!/usr/bin/env bash
# Makes docs/screenshots/main-window.png, the screenshot the AppStream metainfo shows: the
# editor's real window on a virtual display (Xvfb, no window manager), connected to kpx-sim
# behind a USB converter, on its presets page. Run it after a visible change to the window
# and commit the picture; the build reads its size into the metainfo.
# Argument: the build folder (default: build); orvel and kpx-sim are built there first.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
out=docs/screenshots/main-window.png

bash scripts/install-deps.sh xvfb xdotool imagemagick
cmake --build "$build" --target orvel kpx-sim

source scripts/lib/x-session.sh
x_session_start
x_display 1600x1000

# The virtual controller behind the USB converter KPX00001, on preset 37.
x_sim "$build" --serial KPX00001 --preset 37

# The editor in folders of its own, so neither the user's settings nor recent files show.
mkdir -p "$work/editor" "$work/config"
root=$(pwd)
(cd "$work/editor" && XDG_CONFIG_HOME="$work/config" exec "$root/$build/editor/ui/orvel") >"$work/editor.log" 2>&1 &
pids+=($!)
# The connection monitor has found the controller when the title names its firmware.
wait_for 150 xdotool search --onlyvisible --name 'KPX firmware version'
window=$(xdotool search --onlyvisible --name 'KPX firmware version' | head -1)

# The window is painted when two captures in a row are the same.
shot() { import -window "$window" "$work/$1.png"; }
same() { shot b && cmp -s <(convert "$work/a.png" rgb:-) <(convert "$work/b.png" rgb:-) || { mv "$work/b.png" "$work/a.png"; false; }; }
shot a
wait_for 50 same

mkdir -p "$(dirname "$out")"
# No time stamps or other text chunks: the same window makes the same file.
convert "$work/a.png" -strip -define png:compression-level=9 "$out"
echo "$out: $(identify -format '%w x %h' "$out")"
