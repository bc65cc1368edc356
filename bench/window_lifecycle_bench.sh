#!/usr/bin/env bash
# Times the editor's window as a user meets it, under Xvfb with kpx-sim behind a USB converter:
# from the program's start to the first connection in the title ("KPX firmware version"), and
# from the window's close button to the process's end, in the situations that can hold a close
# up (a controller answering, a silent one, the live preview page).
#
#   bench/window_lifecycle_bench.sh [BUILD] [RUNS]     (defaults: build, 5)
#
# Needs xvfb and xdotool (Debian's packages). Prints each run and the medians; exits 1 when the median
# first connection reaches 0.3 s or a median close 0.5 s.
set -euo pipefail
BUILD=$(cd "${1:-build}" && pwd)
RUNS=${2:-5}
source "$(dirname "$0")/../scripts/lib/x-session.sh"
x_session_start
x_display 1920x1080
x_sim "$BUILD" --serial KPX00001 --preset 37

now() { date +%s.%N; }
median() { sort -n | awk '{v[NR]=$1} END {print v[int((NR+1)/2)]}'; }

# Starts orvel, returns when its title names the firmware; `took` holds the seconds.
start_timed() {
  local t0 t1
  t0=$(now)
  (cd "$work" && HOME="$work" XDG_CONFIG_HOME="$work/config" exec "$BUILD/editor/ui/orvel" "$@") >"$work/log" 2>&1 &
  orvel_pid=$!
  pids+=("$orvel_pid")
  until xdotool search --name 'KPX firmware version' >/dev/null 2>&1; do
    sleep 0.005
    kill -0 "$orvel_pid" 2>/dev/null || { echo "orvel ended early:" >&2; cat "$work/log" "$work/xvfb.log" >&2; echo "DISPLAY=$DISPLAY runs so far: ${#starts[@]} ${#closes[@]} ${#preview[@]} ${#silent[@]}" >&2; exit 1; }
    [ "$(echo "$(now) - $t0 > 10" | bc)" = 1 ] && { echo "no connection within 10 s" >&2; exit 1; }
  done
  t1=$(now)
  took=$(echo "$t1 - $t0" | bc)
}

# Closes the window as a window manager would; `took` holds the seconds until the process
# ended.
close_timed() {
  local w t0
  w=$(xdotool search --onlyvisible --name 'Orvel' | head -1)
  t0=$(now)
  x_close "$w"
  while kill -0 "$orvel_pid" 2>/dev/null; do sleep 0.005; done
  took=$(echo "$(now) - $t0" | bc)
}

starts=() closes=() silent=() preview=()
for run in $(seq "$RUNS"); do
  start_timed
  starts+=("$took")
  sleep 1
  close_timed
  closes+=("$took")
done
for run in $(seq "$RUNS"); do
  start_timed
  xdotool key --window "$(xdotool search --onlyvisible --name Orvel | head -1)" ctrl+Tab
  sleep 1.2
  close_timed
  preview+=("$took")
done
sim_say "silent on"
sleep 0.3
for run in $(seq "$RUNS"); do
  (cd "$work" && HOME="$work" XDG_CONFIG_HOME="$work/config" exec "$BUILD/editor/ui/orvel") >"$work/log" 2>&1 &
  orvel_pid=$!
  pids+=("$orvel_pid")
  sleep 1.7
  close_timed
  silent+=("$took")
done

report() { printf '%-44s %s   median %s s\n' "$1" "$(printf '%.3f ' "${@:2}")" "$(printf '%s\n' "${@:2}" | median)"; }
report "start to first connection (s):" "${starts[@]}"
report "close to end, controller answering (s):" "${closes[@]}"
report "close to end, on the Preview page (s):" "${preview[@]}"
report "close to end, controller silent (s):" "${silent[@]}"
status=0
[ "$(echo "$(printf '%s\n' "${starts[@]}" | median) < 0.3" | bc)" = 1 ] || status=1
for list in closes preview silent; do
  eval "values=(\"\${$list[@]}\")"
  [ "$(echo "$(printf '%s\n' "${values[@]}" | median) < 0.5" | bc)" = 1 ] || status=1
done
exit $status
