#!/usr/bin/env bash
# Pictures of Packwell.exe's window under Wine on a virtual X server, in both skins: with a
# valid game folder the window opens in the actions layout, and the pointer passed over the
# actions group widens it to the full layout; without one it stays compact. A developer tool: it
# switches the build's Wine prefix to the X11 graphics driver for the run and back to the null
# driver (the tests' setting) afterwards.
# Usage: scripts/screenshots-windows.sh OUTDIR
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:?usage: $0 OUTDIR}
build=${PACKWELL_WIN_BUILD_DIR:-build-win}
cmake --build "$build" --target Packwell -j"${PACKWELL_JOBS:-2}"
run="$PWD/$build/wine-run.sh"
# Windows paths of Unix files: Wine's drive Z: is the root.
windows_path() { local p=${1//\//\\}; echo "Z:$p"; }
program=$(windows_path "$PWD/$build/app/win32/Packwell.exe")
export WINEPREFIX="$PWD/$build/wineprefix"
drivers='HKCU\Software\Wine\Drivers'

# A display number nobody uses.
display=99
while [[ -e /tmp/.X11-unix/X$display || -e /tmp/.X$display-lock ]]; do display=$((display + 1)); done
Xvfb ":$display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
appdata=$(mktemp -d)
restore() {
  # Wine's desktop process keeps the driver it started with: end the prefix's server so the next
  # program starts with the null driver again.
  wineserver -k >/dev/null 2>&1 || true
  "$run" reg add "$drivers" /v Graphics /d null /f >/dev/null 2>&1 || true
  wineserver -k >/dev/null 2>&1 || true
  kill "$xvfb" 2>/dev/null || true
  rm -rf "$appdata"
}
trap restore EXIT
for _ in $(seq 50); do [[ -e /tmp/.X11-unix/X$display ]] && break; sleep 0.1; done

"$run" reg add "$drivers" /v Graphics /d x11 /f >/dev/null 2>&1
wineserver -k >/dev/null 2>&1 || true
mkdir -p "$out"

# pointer_to X Y: moves the pointer (it starts in the middle of the screen, over the centred
# window, where a hint would pop up and cover the picture).
pointer_to() {
  DISPLAY=":$display" python3 -c '
import ctypes, sys
x = ctypes.CDLL("libX11.so.6")
x.XOpenDisplay.restype = ctypes.c_void_p
x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
x.XDefaultRootWindow.restype = ctypes.c_ulong
x.XWarpPointer.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_ulong] + [ctypes.c_int] * 2 + [ctypes.c_uint] * 2 + [ctypes.c_int] * 2
x.XCloseDisplay.argtypes = [ctypes.c_void_p]
d = x.XOpenDisplay(None)
x.XWarpPointer(d, 0, x.XDefaultRootWindow(d), 0, 0, 0, 0, int(sys.argv[1]), int(sys.argv[2]))
x.XCloseDisplay(d)
' "$1" "$2"
}

# geometry ID: the window's "width height left top" on the screen.
geometry() {
  DISPLAY=":$display" xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
    /^ *Width/ {w=$NF} /^ *Height/ {h=$NF} END {print w, h, x, y}'
}

# A game folder the program finds valid, in the settings of the APPDATA the program is given.
game="$appdata/game"
mkdir -p "$game/versions/1.12.2" "$game/assets" "$appdata/Quorvane/Packwell"
printf '[Settings]\r\nGameFolder=%s\r\n' "$(windows_path "$game")" >"$appdata/Quorvane/Packwell/Settings.ini"

# shoot NAME SKIN [compact]: starts the program, waits for its window to settle, takes the
# picture, ends it. Compact: the game folder is taken away first.
shoot() {
  local name=$1 skin=$2 compact=${3:-}
  if [[ -n $compact ]]; then mv "$game" "$game.away"; fi
  DISPLAY=":$display" PACKWELL_SCREENSHOT_SKIN="$skin" \
    "$run" cmd.exe /c "set APPDATA=$(windows_path "$appdata")&& $program" >/dev/null 2>&1 &
  local started=$!
  local id=""
  for _ in $(seq 100); do
    id=$(DISPLAY=":$display" xwininfo -root -tree 2>/dev/null | awk '/"Packwell v/ {print $1; exit}')
    [[ -n $id ]] && break
    sleep 0.2
  done
  [[ -n $id ]] || { echo "no window for $name" >&2; kill "$started" 2>/dev/null; return 1; }
  pointer_to 0 0
  sleep 3  # the start-up, its layout and a hint gone
  if [[ -z $compact ]]; then
    # Over the actions group's own left margin (3 px frame, 25 px title bar, the group at 8, 97).
    read -r _ _ left top < <(geometry "$id")
    pointer_to $((left + 3 + 12)) $((top + 25 + 97 + 60))
    sleep 0.3
    pointer_to $((left + 3 + 13)) $((top + 25 + 97 + 61))
    sleep 2
    pointer_to 0 0
    sleep 1
  fi
  DISPLAY=":$display" import -window "$id" "$out/windows-$name.png"
  wineserver -k >/dev/null 2>&1 || true
  wait "$started" 2>/dev/null || true
  if [[ -n $compact ]]; then mv "$game.away" "$game"; fi
  echo "$out/windows-$name.png"
}
shoot emerald-compact "Emerald (internal)" compact
shoot emerald "Emerald (internal)"
shoot material-dark-compact "Material Dark (internal)" compact
shoot material-dark "Material Dark (internal)"
