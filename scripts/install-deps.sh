#!/usr/bin/env bash
# Installs what Trimvox needs to build, run and test on Debian 12. Safe to run again:
# it only calls apt-get when a package is missing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config clang-format
  qt6-base-dev qt6-multimedia-dev libqt6multimedia6 qt6-qpa-plugins
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good gstreamer1.0-libav
  libtag1-dev
  libmpg123-dev mpg123
  desktop-file-utils appstream man-db dpkg-dev file
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-translations-l10n
  lame sox xvfb xauth imagemagick python3
  openbox gstreamer1.0-tools
  fonts-arphic-uming fonts-noto-cjk
  clang libclang-rt-dev # the fuzz targets: clang with libFuzzer (clang 14 on Debian 12, 19 on Debian 13)
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  sudo_cmd=()
  if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
  echo "Installing: ${missing[*]}"
  "${sudo_cmd[@]}" apt-get update -q
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
