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
work=$(mktemp -d)
pids=()
cleanup() {
  local pid
  [ -n "${sim_fd:-}" ] && exec {sim_fd}>&-
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

# A display of its own, no window manager: Xvfb picks a free number.
Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$work/display")"

# kpx-sim behind the USB converter KPX00001, its console on a fifo (sim_say).
mkfifo "$work/sim.in"
"$BUILD/sim/kpx-sim" --serial KPX00001 --preset 37 --env-file "$work/sim.env" <"$work/sim.in" >"$work/sim.log" 2>&1 &
pids+=($!)
exec {sim_fd}>"$work/sim.in"
for _ in $(seq 100); do [ -s "$work/sim.env" ] && break; sleep 0.1; done
set -a
. "$work/sim.env"
set +a
sim_say() { echo "$*" >&"$sim_fd"; sleep 0.3; }

# What a window manager sends when the user clicks the close button (WM_DELETE_WINDOW).
x_close() {
  python3 - "$1" <<'PY'
import ctypes, sys
X = ctypes.cdll.LoadLibrary("libX11.so.6")
X.XOpenDisplay.restype = ctypes.c_void_p
X.XInternAtom.restype = ctypes.c_ulong
X.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
class Msg(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                ("format", ctypes.c_int), ("l", ctypes.c_long * 5)]
class Ev(ctypes.Union):
    _fields_ = [("xclient", Msg), ("pad", ctypes.c_long * 24)]
d = X.XOpenDisplay(None)
ev = Ev()
ev.xclient.type, ev.xclient.window, ev.xclient.format = 33, int(sys.argv[1]), 32
ev.xclient.message_type = X.XInternAtom(d, b"WM_PROTOCOLS", 0)
ev.xclient.l[0] = X.XInternAtom(d, b"WM_DELETE_WINDOW", 0)
X.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long, ctypes.POINTER(Ev)]
X.XSendEvent(d, int(sys.argv[1]), 0, 0, ctypes.byref(ev))
X.XFlush.argtypes = [ctypes.c_void_p]
X.XFlush(d)
PY
}

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
    kill -0 "$orvel_pid" 2>/dev/null || { echo "orvel ended early" >&2; exit 1; }
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
