#!/usr/bin/env bash
# Draws the program's icon (app/win32/Packwell.ico: 16, 32 and 48 px) with ImageMagick. Run by
# hand when the icon changes; the .ico is committed, so builds need no ImageMagick.
set -euo pipefail
cd "$(dirname "$0")/.."
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# A rounded emerald square with a light arrow pointing down into a tray: files arriving.
for size in 16 32 48; do
  s=$((size * 8))  # drawn large, then scaled down smoothly
  convert -size ${s}x${s} xc:none \
    -fill '#2a9d6f' -stroke '#0e3b2f' -strokewidth $((s / 24)) \
    -draw "roundrectangle $((s / 32)),$((s / 32)) $((s - 1 - s / 32)),$((s - 1 - s / 32)) $((s / 6)),$((s / 6))" \
    -fill '#e6eeff' -stroke none \
    -draw "rectangle $((s * 40 / 100)),$((s * 16 / 100)) $((s * 60 / 100)),$((s * 50 / 100))" \
    -draw "polygon $((s * 24 / 100)),$((s * 48 / 100)) $((s * 76 / 100)),$((s * 48 / 100)) $((s * 50 / 100)),$((s * 72 / 100))" \
    -draw "rectangle $((s * 20 / 100)),$((s * 78 / 100)) $((s * 80 / 100)),$((s * 86 / 100))" \
    -resize ${size}x${size} "$work/$size.png"
done
convert "$work/16.png" "$work/32.png" "$work/48.png" app/win32/Packwell.ico
