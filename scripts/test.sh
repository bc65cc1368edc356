#!/usr/bin/env bash
# Installs what is needed, builds Orvel plain and with AddressSanitizer and
# UndefinedBehaviorSanitizer and runs every test in both builds; then runs the tests of the
# threaded code (serial library, device link, virtual controller, the window's device
# thread) under ThreadSanitizer.
#
# The builds are one-off, so each compiles a target's files together (a unity build) and
# the plain one keeps no debug information; the benchmarks are left to their own build. A
# build's tests mostly wait on simulated lines, so they run while the next build compiles;
# each run's output is shown when it ends.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

echo "== format of the changed lines"
bash scripts/check-format.sh
echo "== includes against the layers"
bash scripts/check-layers.sh

one_off=(-G Ninja -DORVEL_WERROR=ON -DORVEL_BUILD_BENCH=OFF -DCMAKE_UNITY_BUILD=ON)

# Tests still running when the script stops (a build failed) stop with it.
trap 'kill $(jobs -p) 2>/dev/null || true' EXIT

# Starts a build's tests in the background, their output going to the build's tests.log.
start_tests() {
  local build=$1
  shift
  ctest --test-dir "$build" --output-on-failure -j 2 "$@" >"$build/tests.log" 2>&1 &
  tests_pid=$!
  tests_build=$build
}

# Waits for the tests started last and shows their output; fails when they failed.
finish_tests() {
  local status=0
  wait "$tests_pid" || status=$?
  echo "== tests of $tests_build"
  cat "$tests_build/tests.log"
  return "$status"
}

echo "== plain build"
cmake -S . -B build "${one_off[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -DNDEBUG" -DCMAKE_C_FLAGS_RELWITHDEBINFO="-O2 -DNDEBUG" >/dev/null
cmake --build build
start_tests build

echo "== sanitizer build (address, undefined behaviour)"
cmake -S . -B build-asan "${one_off[@]}" -DORVEL_SANITIZE=ON >/dev/null
cmake --build build-asan
finish_tests

echo "== package (the .deb from the plain build: files, control file, lintian)"
bash scripts/check-package.sh build

start_tests build-asan

echo "== thread sanitizer build (serial library, device link, virtual controller, window)"
cmake -S . -B build-tsan "${one_off[@]}" -DORVEL_TSAN=ON >/dev/null
cmake --build build-tsan --target zudedize_tests orvel_device_tests kpxsim_tests kpx-sim orvel_ui_window_tests
finish_tests

ctest --test-dir build-tsan --output-on-failure -j 2 -R '^(serial|device|sim|ui)\.'
