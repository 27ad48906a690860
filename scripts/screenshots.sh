#!/usr/bin/env bash
# Pictures of the main window in every layout, of the cleanup dialog, the message boxes and the
# folder picker, in both skins, taken under a virtual X server twice: on a bare X server, and
# with a window manager (openbox) placing and framing the windows as a player's desktop does.
# Usage: scripts/screenshots.sh [output folder] (default: build/screenshots; the two sets go
# to its "no-wm" and "openbox" folders)
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
wm=
trap 'kill $wm "$xvfb" 2>/dev/null || true' EXIT
for _ in $(seq 50); do [[ -e /tmp/.X11-unix/X$display ]] && break; sleep 0.1; done

mkdir -p "$out/no-wm" "$out/openbox"
DISPLAY=":$display" QT_QPA_PLATFORM=xcb "$build/tests/ui/ui_screenshots" "$out/no-wm"

DISPLAY=":$display" openbox >/dev/null 2>&1 &
wm=$!
sleep 1
DISPLAY=":$display" QT_QPA_PLATFORM=xcb "$build/tests/ui/ui_screenshots" "$out/openbox"
