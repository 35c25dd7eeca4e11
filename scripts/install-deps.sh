#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what Trimvox needs to build, run and test on Debian 12 or 13. Safe to run again:
# it only calls apt-get when a package is missing.
set -euo pipefail

# TagLib: Debian 12 has TagLib 1 (libtag1-dev), Debian 13 and later TagLib 2 (libtag-dev); elsewhere the
# one apt knows.
taglib=libtag-dev
os_id=$(. /etc/os-release && echo "${ID:-}")
os_version=$(. /etc/os-release && echo "${VERSION_ID:-}")
if [ "$os_id" = debian ]; then
  if [ -n "$os_version" ] && [ "${os_version%%.*}" -le 12 ]; then taglib=libtag1-dev; fi
elif ! apt-cache show libtag-dev >/dev/null 2>&1; then
  taglib=libtag1-dev
fi

packages=(
  build-essential cmake ninja-build pkg-config clang-format
  qt6-base-dev qt6-multimedia-dev libqt6multimedia6 qt6-qpa-plugins
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good gstreamer1.0-libav
  "$taglib"
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
