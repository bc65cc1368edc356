#!/usr/bin/env bash
# Installs what is needed, builds Orvel, starts the virtual controller kpx-sim (as a USB
# converter and as COM port 6), shows the device link at work through orvel-cli, then
# starts the editor's window, which finds the virtual controller behind its USB converter
# (when there is a display to show it on).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake -S . -B build -G Ninja >/dev/null
cmake --build build --target kpx-sim orvel-cli orvel

work=$(mktemp -d)
build/sim/kpx-sim --serial KPX00001 --com 6 --preset 37 --env-file "$work/env" </dev/null &
sim=$!
trap 'kill $sim 2>/dev/null; wait $sim 2>/dev/null; rm -rf "$work"' EXIT
for _ in $(seq 50); do [ -s "$work/env" ] && break; sleep 0.1; done
set -a; . "$work/env"; set +a

run() { echo "\$ orvel-cli $*"; build/editor/cli/orvel-cli "$@"; echo; }
run list
run identify
run current
run read-preset 37
run backup "$work/backup.ini"

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  echo "Starting the editor on the USB converter KPX00001; close its window to stop the virtual controller."
  root=$(pwd)
  (cd "$work" && "$root/build/editor/ui/orvel")
else
  echo "No display to show the editor's window on; run build/editor/ui/orvel on a desktop."
fi
