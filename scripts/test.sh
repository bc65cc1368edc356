#!/usr/bin/env bash
# Installs what is needed, builds Orvel plain and with AddressSanitizer and
# UndefinedBehaviorSanitizer and runs every test in both builds; then runs the tests of the
# threaded code (serial library, device link, virtual controller, the window's device
# thread) under ThreadSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

echo "== format of the changed lines"
bash scripts/check-format.sh

echo "== plain build"
cmake -S . -B build -G Ninja -DORVEL_WERROR=ON >/dev/null
cmake --build build
ctest --test-dir build --output-on-failure -j 2

echo "== package (the .deb from the plain build: files, control file, lintian)"
bash scripts/check-package.sh build

echo "== sanitizer build (address, undefined behaviour)"
cmake -S . -B build-asan -G Ninja -DORVEL_SANITIZE=ON -DORVEL_WERROR=ON -DORVEL_BUILD_BENCH=OFF >/dev/null
cmake --build build-asan
ctest --test-dir build-asan --output-on-failure -j 2

echo "== thread sanitizer build (serial library, device link, virtual controller, window)"
cmake -S . -B build-tsan -G Ninja -DORVEL_TSAN=ON -DORVEL_WERROR=ON -DORVEL_BUILD_BENCH=OFF >/dev/null
cmake --build build-tsan --target zudedize_tests orvel_device_tests kpxsim_tests kpx-sim orvel_ui_window_tests
ctest --test-dir build-tsan --output-on-failure -j 2 -R '^(serial|device|sim|ui)\.'
