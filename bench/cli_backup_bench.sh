#!/usr/bin/env bash
# Times "orvel-cli backup" against kpx-sim paced at 9600 bit/s and compares it with the line
# time of the bytes it exchanges: the identify query (2 + 6 bytes), then 201 block reads for
# the presets and block 252 and three for the settings (13 bytes each), 11 bits a character.
# Exits 1 above 1.05 times the line time.
# Usage: bench/cli_backup_bench.sh [build folder]   (default: build)
set -euo pipefail
build=${1:-build}
work=$(mktemp -d)
"$build/sim/kpx-sim" --serial BENCHCLI --env-file "$work/env" </dev/null >/dev/null 2>&1 &
sim=$!
trap 'kill $sim 2>/dev/null; wait $sim 2>/dev/null; rm -rf "$work"' EXIT
for _ in $(seq 100); do [ -s "$work/env" ] && break; sleep 0.05; done
set -a; . "$work/env"; set +a

start=$(date +%s.%N)
"$build/editor/cli/orvel-cli" --serial BENCHCLI backup "$work/backup.ini" >/dev/null
end=$(date +%s.%N)

awk -v start="$start" -v end="$end" 'BEGIN {
  bytes = 8 + (201 + 3) * 13
  line = bytes * 11 / 9600
  took = end - start
  ratio = took / line
  printf "orvel-cli backup: %d bytes, line time %.3f s, took %.3f s, ratio %.4f (limit 1.05)\n", bytes, line, took, ratio
  exit ratio <= 1.05 ? 0 : 1
}'
