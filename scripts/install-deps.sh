#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the demo need; skips what is there.
set -euo pipefail
packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-translations-l10n libcurl4-openssl-dev libx11-dev libxres-dev
  libgtest-dev libgmock-dev libcpp-httplib-dev
  nginx-light xvfb xauth curl aria2 x11-utils locales iproute2 util-linux
  clang lld libclang-rt-dev strace zlib1g-dev unzip
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
