#!/usr/bin/env bash
# Pictures of the native window under Wine on a virtual X server, like scripts/screenshots.sh
# for the Qt window: every layout, the progress bars, the cleanup dialog, the hand-back and a
# frame of the closing fade, in both skins, as the screen shows them. A developer tool: it
# switches the build's Wine prefix to the X11 graphics driver for the run and back to the null
# driver (the tests' setting) afterwards.
# Usage: scripts/screenshots-windows.sh [OUTDIR] (default: build-win/screenshots)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${PACKWELL_WIN_BUILD_DIR:-build-win}
out=$(realpath -m "${1:-$build/screenshots}")
cmake --build "$build" --target win32_screenshots -j"${PACKWELL_JOBS:-2}"
run="$(realpath "$build")/wine-run.sh"
program="$(realpath "$build")/tests/win32_window/win32_screenshots.exe"
export WINEPREFIX="$(realpath "$build")/wineprefix"
drivers='HKCU\Software\Wine\Drivers'

# A display number nobody uses.
display=99
while [[ -e /tmp/.X11-unix/X$display || -e /tmp/.X$display-lock ]]; do display=$((display + 1)); done
Xvfb ":$display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
restore() {
  # Wine's desktop process keeps the driver it started with: end the prefix's server so the next
  # program starts with the null driver again.
  wineserver -k >/dev/null 2>&1 || true
  "$run" reg add "$drivers" /v Graphics /d null /f >/dev/null 2>&1 || true
  wineserver -k >/dev/null 2>&1 || true
  kill "$xvfb" 2>/dev/null || true
}
trap restore EXIT
for _ in $(seq 50); do [[ -e /tmp/.X11-unix/X$display ]] && break; sleep 0.1; done

"$run" reg add "$drivers" /v Graphics /d x11 /f >/dev/null 2>&1
wineserver -k >/dev/null 2>&1 || true
mkdir -p "$out"
DISPLAY=":$display" "$run" "$program" "Z:${out//\//\\}" >/dev/null
for bmp in "$out"/*.bmp; do
  convert "$bmp" "${bmp%.bmp}.png" && rm "$bmp"
  echo "${bmp%.bmp}.png"
done
