#!/usr/bin/env bash
# Installs what is needed, builds Orvel plain and with AddressSanitizer and
# UndefinedBehaviorSanitizer and runs every test in both builds; then runs the tests of the
# threaded code (serial library, device link, virtual controller, the window's device
# thread) under ThreadSanitizer. It also compiles, without running them, what Orvel ships
# and measures besides its tests: the benchmarks (both fault matrices among them) in the
# plain build and the fuzz targets with clang, so that a change cannot break them unseen.
#
# The builds are one-off, so each compiles a target's files together (a unity build) and
# the plain one keeps no debug information; the fuzz build has only its targets, at -O1. A
# build's tests mostly wait on simulated lines, so they run while the next build compiles;
# each run's output is shown when it ends.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh clang libclang-rt-14-dev

echo "== format of every C and C++ file"
bash scripts/check-format.sh
echo "== includes against the layers"
bash scripts/check-layers.sh

one_off=(-G Ninja -DORVEL_WERROR=ON -DORVEL_BUILD_BENCH=OFF -DCMAKE_UNITY_BUILD=ON)
# Prints how long the step that ends now took.
step_start=$SECONDS
step_took() {
  echo "-- $1 took $((SECONDS - step_start)) s"
  step_start=$SECONDS
}

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

echo "== plain build, with the benchmarks"
cmake -S . -B build "${one_off[@]}" -DORVEL_BUILD_BENCH=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -DNDEBUG" -DCMAKE_C_FLAGS_RELWITHDEBINFO="-O2 -DNDEBUG" >/dev/null
cmake --build build
step_took "plain build"
start_tests build

echo "== sanitizer build (address, undefined behaviour)"
cmake -S . -B build-asan "${one_off[@]}" -DORVEL_SANITIZE=ON >/dev/null
cmake --build build-asan
step_took "sanitizer build"
finish_tests
step_took "rest of the plain build's tests"

start_tests build-asan

echo "== package (the .deb from the plain build: files, control file, lintian)"
bash scripts/check-package.sh build
step_took "package check"

echo "== thread sanitizer build (serial library, device link, virtual controller, window)"
cmake -S . -B build-tsan "${one_off[@]}" -DORVEL_TSAN=ON >/dev/null
cmake --build build-tsan --target zudedize_tests orvel_device_tests kpxsim_tests kpx-sim orvel_ui_window_tests
step_took "thread sanitizer build"
finish_tests
step_took "rest of the sanitizer build's tests"

# The window's no-display check starts the editor itself, which this build does not make.
start_tests build-tsan -R '^(serial|device|sim|ui)\.' -E '^ui\.no_display$'

echo "== fuzz targets (clang; built, not run)"
cmake -S . -B build-fuzz "${one_off[@]}" -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DORVEL_FUZZ=ON \
  -DORVEL_BUILD_TESTS=OFF -DORVEL_BUILD_UI=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O1 -DCMAKE_C_FLAGS_RELWITHDEBINFO=-O1 >/dev/null
cmake --build build-fuzz --target orvel_fuzz_targets
step_took "fuzz build"
finish_tests
step_took "rest of the thread sanitizer build's tests"
