#!/usr/bin/env bash
# Builds the Windows programs and their tests (build-win/) and runs the tests under Wine.
# Run scripts/install-deps.sh first (scripts/test.sh does).
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=${PACKWELL_JOBS:-2}
cmake -S . -B build-win -G Ninja -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64.cmake" \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPACKWELL_BASE_URL=http://127.0.0.1:9 >/dev/null
# The build's Wine server (started by test discovery) ends with this script.
trap 'WINEPREFIX="$PWD/build-win/wineprefix" wineserver -k 2>/dev/null || true' EXIT
cmake --build build-win -j"$jobs"
# Known fault, still open: nginx started through Wine does not come up inside the loopback-only
# namespace, so the tests served by nginx run in the Linux leg only for now.
# The stand-in game window also fails in a freshly made Wine prefix (it passes in a used one):
# still open, so it is left out here too.
known_open='NginxEndToEnd\.|ATurboRunOfManyFilesUsesAtMostOneConnectionPerWorker|^SyncCli\.|^SyncRunCli\.|^GameOnDesktop\.'
scripts/offline.sh ctest --test-dir build-win --no-tests=error --output-on-failure -j"$jobs" -E "$known_open" \
  --timeout 120
