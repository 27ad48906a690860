#!/usr/bin/env bash
# Shows Packwell at work on this machine: builds it with a server address on 127.0.0.1, makes a
# sample server directory and serves it with packwell-pack, makes a sample game folder that is
# out of step (missing mods, a stray copy, a damaged file, a file the server wants deleted), and
# runs Packwell against it: the window when a display is present, otherwise packwell-sync.
#
#   scripts/demo.sh [--headless]
#
# --headless               packwell-sync even when a display is present
# PACKWELL_DEMO_BUILD=DIR  reuse that build instead of configuring build-demo (the server
#                          address is then passed to packwell-sync; the window needs build-demo)
# PACKWELL_DEMO_DIR=DIR    where the sample folders go (default build-demo/sample)
# PACKWELL_DEMO_PORT=N     the port build-demo is built for (default 8765)
set -euo pipefail

headless=0
for arg in "$@"; do
  case $arg in
    --headless) headless=1 ;;
    -h|--help) sed -n '2,14p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
    *) echo "demo.sh: unknown argument $arg" >&2; exit 2 ;;
  esac
done
[[ -n ${DISPLAY:-} ]] || headless=1

root=$(cd "$(dirname "$0")/.." && pwd)
port=${PACKWELL_DEMO_PORT:-8765}
say() { printf '\n\033[1m== %s\033[0m\n' "$*"; }

# --- build -------------------------------------------------------------------------------
if [[ -n ${PACKWELL_DEMO_BUILD:-} ]]; then
  build=$(cd "$PACKWELL_DEMO_BUILD" && pwd)
  builtin_url=$(sed -n 's/^PACKWELL_BASE_URL:STRING=//p' "$build/CMakeCache.txt" 2>/dev/null || true)
else
  say "Installing what is missing and building into build-demo"
  "$root/scripts/install-deps.sh"
  build=$root/build-demo
  builtin_url=http://127.0.0.1:$port
  ui=ON
  ((headless)) && ui=OFF
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DPACKWELL_BASE_URL="$builtin_url" -DPACKWELL_BUILD_UI=$ui -DPACKWELL_BUILD_TESTS=OFF \
    -DPACKWELL_BUILD_BENCH=OFF >/dev/null
  targets=(packwell-pack packwell-sync)
  ((headless)) || targets+=(packwell)
  cmake --build "$build" -j"${PACKWELL_JOBS:-2}" --target "${targets[@]}"
fi
pack=$build/tools/packwell-pack/packwell-pack
sync=$build/tools/packwell-sync/packwell-sync
window=$build/app/packwell
for tool in "$pack" "$sync"; do
  [[ -x $tool ]] || { echo "demo.sh: $tool is not built" >&2; exit 1; }
done
if ((!headless)) && [[ ! -x $window || $builtin_url != "http://127.0.0.1:$port" ]]; then
  echo "The window is not built for http://127.0.0.1:$port here; showing packwell-sync instead."
  headless=1
fi

# --- sample server directory -------------------------------------------------------------
demo=${PACKWELL_DEMO_DIR:-$root/build-demo/sample}
mkdir -p "$demo"
demo=$(cd "$demo" && pwd)
# Only what this script made earlier is removed.
rm -rf "$demo/server" "$demo/game" "$demo/appdata"
server=$demo/server
game=$demo/game
mkdir -p "$server/mods3"

say "Sample server directory: $server"
mods=(
  "Baubles-1.12-1.5.2.jar" "jei_1.12.2-4.16.1.301.jar" "[1.12.2] Journey Map (client) 5.7.1.jar"
  "industrialcraft-2-2.8.221-ex112.jar" "appliedenergistics2-rv6-stable-7.jar" "Mantle-1.12-1.3.3.55.jar"
  "TConstruct-1.12.2-2.13.0.183.jar" "thermalfoundation-1.12.2-2.6.7.1-universal.jar"
  "CoFHCore-1.12.2-4.6.6.1-universal.jar" "CodeChickenLib-1.12.2-3.2.3.358-universal.jar"
  "RedstoneFlux-1.12-2.1.1.1-universal.jar" "ironchest-1.12.2-7.0.72.847.jar" "Chisel-MC1.12.2-1.0.2.45.jar"
  "ctm-MC1.12.2-1.0.2.31.jar" "Botania r1.10-363.jar" "Thaumcraft-1.12.2-6.1.BETA26.jar"
  "journeymap-1.12.2-5.7.1.jar" "BiomesOPlenty-1.12.2-7.0.1.2444-universal.jar" "Forestry_1.12.2-5.8.2.422.jar"
  "buildcraft-all-7.99.24.8.jar" "OpenComputers-MC1.12.2-1.7.5.192.jar" "Waystones_1.12.2-4.1.0.jar"
  "inventorytweaks-1.63.jar" "Chameleon-1.12-4.1.3.jar" "StorageDrawers-1.12.2-5.4.2.jar"
  "AppleSkin-mc1.12-1.0.14.jar" "Hwyla-1.8.26-B41_1.12.2.jar" "NotEnoughIDs-1.5.4.4.jar"
  "FTBLib-5.4.7.2.jar" "FTBUtilities-5.4.1.131.jar" "MrTJPCore-1.12.2-2.1.4.43-universal.jar"
  "ProjectRed-1.12.2-4.9.4.120-Base.jar" "ForgeMultipart-1.12.2-2.6.2.83-universal.jar"
  "Morpheus-1.12.2-3.5.106.jar" "Quark-r1.6-179.jar" "AutoRegLib-1.3-32.jar"
)
i=0
for name in "${mods[@]}"; do
  i=$((i + 1))
  # Text of a plausible size, free of the two error phrases and of any byte 26.
  head -c $((20000 + i * 7919 % 400000)) < <(yes "$name $i") >"$server/mods3/$name"
done
printf 'MZ stand-in for the extra settings program\n' >"$server/Settingss.exe"
printf 'MZ stand-in for the Forge installer\n' >"$server/forge-1.12.2-14.23.2.2629-installer-win.exe"
printf '# files players should no longer have\nOptiFine_1.12.2_HD_U_E3.jar\nNoCubes-0.9.jar\n' >"$demo/dellist.txt"
"$pack" refresh "$server" --dellist "$demo/dellist.txt"
"$pack" check "$server"

# --- serve it -----------------------------------------------------------------------------
say "Serving it with packwell-pack serve"
serve_port=0
((headless)) || serve_port=$port
"$pack" serve "$server" --port "$serve_port" >"$demo/serve.log" 2>&1 &
serve_pid=$!
trap 'kill "$serve_pid" 2>/dev/null; wait "$serve_pid" 2>/dev/null || true' EXIT
base=
for _ in $(seq 100); do
  base=$(sed -n 's/^Serving .* at \(http:[^ ]*\).*/\1/p' "$demo/serve.log")
  [[ -n $base ]] && break
  kill -0 "$serve_pid" 2>/dev/null || { cat "$demo/serve.log" >&2; exit 1; }
  sleep 0.1
done
[[ -n $base ]] || { echo "demo.sh: the server did not come up" >&2; exit 1; }
echo "$base (access lines in $demo/serve.log)"

# --- sample game folder -------------------------------------------------------------------
say "Sample game folder: $game"
mkdir -p "$game/versions/1.12.2" "$game/assets" "$game/mods/1.12.2"
for n in 1 2 4 5 7 10 12 15 20 30; do cp "$server/mods3/${mods[n]}" "$game/mods/1.12.2/"; done
cp "$server/mods3/${mods[3]}" "$game/mods/"                           # a stray copy in mods
printf '404: Not Found' >"$game/mods/1.12.2/${mods[8]}"                 # damaged by a failed fetch
printf 'old' >"$game/mods/1.12.2/OptiFine_1.12.2_HD_U_E3.jar"           # the server wants it gone
printf 'mine' >"$game/mods/1.12.2/my-own-notes.txt"                     # not the server's business
find "$game/mods" -type f -printf '  %P\n' | sort

export APPDATA=$demo/appdata
mkdir -p "$APPDATA/Quorvane/Packwell"
# No extra settings program at the end of a run: the stand-in is no program.
printf '[Settings]\r\nGameFolder=%s\r\nTurbo=1\r\nExtraOptions=0\r\n' "$game" >"$APPDATA/Quorvane/Packwell/Settings.ini"
cd "$demo"

# --- run Packwell -------------------------------------------------------------------------
if ((!headless)); then
  say "Starting the window: press «Проверить совместимость», then «Запуск синхронизации»"
  "$window"
  exit 0
fi

server_args=()
[[ $base != "$builtin_url" ]] && server_args=(--server "$base")
say "packwell-sync --check-only"
status=0
"$sync" "${server_args[@]}" --check-only || status=$?
((status == 1)) || { echo "demo.sh: the check should have found work (exit $status)" >&2; exit 1; }
say "packwell-sync --turbo --clean"
"$sync" "${server_args[@]}" --turbo --clean

# --- in step? -----------------------------------------------------------------------------
say "packwell-sync --check-only, once more"
bad=0
"$sync" "${server_args[@]}" --check-only || bad=1
say "Comparing the game folder with the server byte for byte"
for name in "${mods[@]}"; do
  cmp -s "$server/mods3/$name" "$game/mods/1.12.2/$name" || { echo "  not in step: $name"; bad=1; }
done
[[ -e $game/mods/1.12.2/OptiFine_1.12.2_HD_U_E3.jar ]] && { echo "  not deleted: OptiFine_1.12.2_HD_U_E3.jar"; bad=1; }
[[ -e $game/mods/1.12.2/my-own-notes.txt ]] || { echo "  lost: my-own-notes.txt"; bad=1; }
if ((bad)); then
  echo "The sample game folder is NOT in step."
  exit 1
fi
echo "The sample game folder is in step: ${#mods[@]} mods as on the server, the unwanted file deleted, the player's own file kept."
