# Sourced by the orvel-cli scripts that run against kpx-sim: a scratch folder, the simulator
# started in the background and ended with the script, and its environment lines.
#   start_sim [--console] KPX-SIM-OPTIONS...   starts it unpaced and waits for its env file;
#                                              --console keeps its console on descriptor 3
#   load_sim_env                               exports what the simulator wrote to its env file
# Expects $sim (the kpx-sim program); sets $work and $sim_pid.
work=$(mktemp -d)
sim_pid=""
cleanup() {
  exec 3>&- 2>/dev/null
  [ -n "$sim_pid" ] && kill "$sim_pid" 2>/dev/null && wait "$sim_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

start_sim() {
  local console=/dev/null
  if [ "${1:-}" = "--console" ]; then
    shift
    [ -p "$work/console" ] || mkfifo "$work/console"
    console=$work/console
  fi
  "$sim" --no-pace "$@" --env-file "$work/env" <"$console" >"$work/sim.log" 2>&1 &
  sim_pid=$!
  [ "$console" = /dev/null ] || exec 3>"$console"
  for _ in $(seq 100); do [ -s "$work/env" ] && break; sleep 0.05; done
}

load_sim_env() {
  set -a
  . "$work/env"
  set +a
}
