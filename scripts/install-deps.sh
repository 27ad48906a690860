#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the demo need; skips what is there.
set -euo pipefail
packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-translations-l10n libcurl4-openssl-dev libx11-dev libxres-dev
  libgtest-dev libgmock-dev libcpp-httplib-dev
  nginx-light xvfb xauth curl aria2 x11-utils locales iproute2 util-linux
  clang lld libclang-rt-dev strace zlib1g-dev unzip libssl-dev openbox
  g++-mingw-w64-x86-64-posix wine wine64 dpkg-dev xz-utils
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  if [[ $(id -u) -ne 0 ]]; then SUDO=sudo; else SUDO=; fi
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
# The size texts take their decimal separator from the locale; the tests check the Russian one.
if ! locale -a 2>/dev/null | grep -qix 'ru_RU.utf8'; then
  if [[ $(id -u) -ne 0 ]]; then SUDO=sudo; else SUDO=; fi
  $SUDO sed -i 's/^# *\(ru_RU.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^ru_RU.UTF-8 UTF-8' /etc/locale.gen || echo 'ru_RU.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
  $SUDO locale-gen >/dev/null
fi

# The Windows build's cpp-httplib: Debian builds its Linux library from a header it does not ship
# whole, so the same source package, with Debian's patches, gives the cross build that header.
cross_include=/opt/packwell-cross/include
if [[ ! -f $cross_include/httplib.h ]]; then
  if [[ $(id -u) -ne 0 ]]; then SUDO=sudo; else SUDO=; fi
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  mkdir -p "$work/parts" "$work/lists/partial"
  # A source list of its own: the system's apt configuration stays as it is.
  sed -n 's/^Types: deb$/Types: deb-src/p; /^URIs:/p; /^Suites:/p; /^Components:/p; /^Signed-By:/p' \
    /etc/apt/sources.list.d/debian.sources 2>/dev/null | head -5 > "$work/parts/src.sources"
  if [[ ! -s $work/parts/src.sources ]]; then
    printf '%s\n' 'Types: deb-src' 'URIs: http://deb.debian.org/debian' 'Suites: bookworm' 'Components: main' \
      'Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg' > "$work/parts/src.sources"
  fi
  apt_src=(-o Dir::Etc::SourceList=/dev/null -o Dir::Etc::SourceParts="$work/parts" -o Dir::State::Lists="$work/lists")
  chmod 755 "$work"  # apt's own user reads the lists there
  $SUDO apt-get -qq "${apt_src[@]}" update 2>&1 | grep -v "unsandboxed as root" || true
  version=$(dpkg-query -W -f='${Version}' libcpp-httplib-dev)
  (cd "$work" && $SUDO apt-get -qq "${apt_src[@]}" source "cpp-httplib=$version" >/dev/null 2>&1)
  header=$(find "$work" -maxdepth 2 -name httplib.h | head -1)
  [[ -n $header ]] || { echo "cpp-httplib source has no httplib.h" >&2; exit 1; }
  $SUDO install -D -m 644 "$header" "$cross_include/httplib.h"
fi
