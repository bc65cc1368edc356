#!/usr/bin/env bash
# Installs what is needed, builds Orvel, starts the virtual controller kpx-sim as a USB
# converter and runs the command-line companion against it. (The editor's window is not
# built yet; orvel-cli shows the device link at work in its place.)
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake -S . -B build -G Ninja >/dev/null
cmake --build build --target kpx-sim orvel-cli

env_file=$(mktemp)
build/sim/kpx-sim --serial KPX00001 --preset 37 --env-file "$env_file" </dev/null &
sim=$!
trap 'kill $sim 2>/dev/null; wait $sim 2>/dev/null; rm -f "$env_file"' EXIT
for _ in $(seq 50); do [ -s "$env_file" ] && break; sleep 0.1; done
set -a; . "$env_file"; set +a

run() { echo "\$ orvel-cli $*"; build/editor/cli/orvel-cli "$@"; echo; }
run list
run identify
run current
run read-preset 11
run read-block 252
