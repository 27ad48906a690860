#!/usr/bin/env bash
# Builds everything and runs every test; exits non-zero when any test fails.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
jobs=${PACKWELL_JOBS:-2}
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$jobs"
# The worker tests once more under ThreadSanitizer.
cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DPACKWELL_BUILD_UI=OFF \
  -DPACKWELL_BUILD_BENCH=OFF -DPACKWELL_TSAN=ON >/dev/null
cmake --build build-tsan -j"$jobs" --target packwell_tsan_tests
ctest --test-dir build-tsan -L tsan --output-on-failure
ctest --test-dir build --output-on-failure -j"$jobs"
