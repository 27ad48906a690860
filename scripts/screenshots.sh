#!/usr/bin/env bash
# Pictures of the main window in every layout, and of the cleanup dialog, in both skins, taken
# under a virtual X server.
# Usage: scripts/screenshots.sh [output folder] (default: build/screenshots)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${PACKWELL_BUILD_DIR:-build}
out=${1:-$build/screenshots}
if [[ ! -d $build ]]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$build" --target ui_screenshots -j"${PACKWELL_JOBS:-2}"

# A display number nobody uses.
display=99
while [[ -e /tmp/.X11-unix/X$display || -e /tmp/.X$display-lock ]]; do display=$((display + 1)); done
Xvfb ":$display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null || true' EXIT
for _ in $(seq 50); do [[ -e /tmp/.X11-unix/X$display ]] && break; sleep 0.1; done

mkdir -p "$out"
DISPLAY=":$display" QT_QPA_PLATFORM=xcb "$build/tests/ui/ui_screenshots" "$out"
