#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Quotewell need, when missing.
set -euo pipefail
packages=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6svg6-dev libgl-dev libfontconfig-dev
  libgtest-dev libgmock-dev libbenchmark-dev nlohmann-json3-dev libpugixml-dev libzip-dev
  clang libfuzzer-14-dev libclang-rt-14-dev
  fonts-liberation2 fonts-urw-base35 xvfb xauth imagemagick poppler-utils
  desktop-file-utils libxml2-utils dpkg-dev file e2fsprogs python3 xdotool x11-utils
  shared-mime-info libglib2.0-bin appstream
  scowl wordnet-base
  at-spi2-core dbus python3-pyatspi
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
