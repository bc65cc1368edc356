# Shell helpers for the scripts that run the editor's real window on a virtual display:
# a scratch folder, a display of its own, kpx-sim behind a USB converter, waiting for a
# condition with a deadline, and the close a window manager would send. Source it; it sets a
# trap that ends everything it started and removes the scratch folder.
#   x_session_start                    $work (scratch folder), pids, the trap
#   x_display WIDTHxHEIGHT [DPI]       Xvfb on a free display number; exports DISPLAY
#   x_sim BUILD [kpx-sim options]      kpx-sim with its console on a fifo; exports its
#                                      environment (ORVEL_SYSROOT, …); sim_say sends a line
#   wait_for TENTHS COMMAND…           up to TENTHS tenths of a second for COMMAND to succeed
#   x_close WINDOW                     WM_DELETE_WINDOW to the window (the close button)

x_session_start() {
  work=$(mktemp -d)
  pids=()
  trap x_session_end EXIT
}

x_session_end() {
  local pid
  [ -n "${sim_fd:-}" ] && exec {sim_fd}>&-
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}

wait_for() {
  local tenths=$1
  shift
  for _ in $(seq "$tenths"); do
    "$@" >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  echo "gave up waiting for: $*" >&2
  return 1
}

x_display() {
  # Xvfb picks a free number and writes it once it takes connections.
  Xvfb -displayfd 3 -screen 0 "$1x24" -dpi "${2:-96}" -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
  pids+=($!)
  wait_for 100 test -s "$work/display"
  export DISPLAY=":$(cat "$work/display")"
}

x_sim() {
  local build=$1
  shift
  mkfifo "$work/sim.in"
  "$build/sim/kpx-sim" --env-file "$work/sim.env" "$@" <"$work/sim.in" >"$work/sim.log" 2>&1 &
  pids+=($!)
  exec {sim_fd}>"$work/sim.in"
  wait_for 100 test -s "$work/sim.env"
  set -a
  . "$work/sim.env"
  set +a
}

sim_say() { echo "$*" >&"$sim_fd"; }

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
