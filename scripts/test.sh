#!/usr/bin/env bash
# Builds everything and runs every test; exits non-zero when any test fails.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
# Rules of the sources that no compiler checks, before anything is built.
scripts/check-sources.sh
jobs=${PACKWELL_JOBS:-2}
# Test builds name a loopback port where nothing answers as their server: a program a test starts
# never looks for the real one.
test_server=-DPACKWELL_BASE_URL=http://127.0.0.1:9
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$test_server" >/dev/null
cmake --build build -j"$jobs"
# The worker tests once more under ThreadSanitizer.
cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DPACKWELL_BUILD_UI=OFF \
  -DPACKWELL_BUILD_BENCH=OFF -DPACKWELL_TSAN=ON "$test_server" >/dev/null
cmake --build build-tsan -j"$jobs" --target packwell_tsan_tests
# Tests run in a network namespace of their own (scripts/offline.sh: unshare -n, only loopback
# up): a test that reaches any other host fails instead of leaving the machine.
scripts/offline.sh ctest --test-dir build-tsan -L tsan --no-tests=error --output-on-failure
# Each parser's fuzz target for a bounded time; any finding fails the run.
scripts/offline.sh scripts/fuzz.sh
# The Windows leg: the same sources cross-built with mingw-w64, every test program run under Wine
# (scripts/test-windows.sh).
scripts/test-windows.sh
# Every test last, so its summary closes the output.
scripts/offline.sh ctest --test-dir build --no-tests=error --output-on-failure -j"$jobs"
