#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds and tests Trimvox in a clean Debian 13 (trixie) system made with mmdebstrap, then installs the
# package it made into a second clean system and uses it there. Needs root and mmdebstrap
# (apt-get install mmdebstrap); takes a while (the whole build and test suite run inside).
#
#   sudo bash scripts/test-in-debian13.sh [SUITE [PACKAGE]]
#
# SUITE is trixie (Debian 13, the default) or another Debian release, such as bookworm (Debian 12). The
# files of the working tree that git knows or would add (committed or not) are what is built. Given a
# PACKAGE (a trimvox_*.deb built for SUITE), only the second part runs, with that package. The results
# go to build-SUITE/ in the tree: test.log (install, build, every test and the package), the package
# trimvox_*.deb, install.log (the package installed and used in a clean system) and screenshot.png (the
# window under Xvfb there); test.log ends with the memory over 200 preview cycles of the program and of
# the player backend alone. MIRROR chooses the Debian mirror. Exit status 0 when all of it passed.
# Stopped midway, mmdebstrap may leave its folder /tmp/mmdebstrap.* behind with /proc, /sys, /dev/pts and
# /dev/shm mounted in it: unmount those before removing it.
set -euo pipefail
cd "$(dirname "$0")/.."
suite=${1:-trixie}
package=${2:+$(realpath "$2")}
mirror=${MIRROR:-http://deb.debian.org/debian}
out=$PWD/build-$suite
work=$(mktemp -d /var/tmp/trimvox-"$suite".XXXXXX)
trap 'rm -rf "$work"' EXIT
if [ -n "$package" ]; then
  cp "$package" "$work/"
fi
rm -rf "$out"
mkdir -p "$out"

if [ -n "$package" ]; then
  cp "$work/$(basename "$package")" "$out/"
else
  git ls-files -z --cached --others --exclude-standard | tar -cf "$work/tree.tar" --null -T -

  # 1. A clean system with only apt: the tree goes in, scripts/test.sh installs what it needs, builds and runs
  # every test; then the package is made.
  echo "Building and testing in a clean $suite system (log: $out/test.log)"
  status=0
  nice mmdebstrap --variant=apt --include=ca-certificates \
    --customize-hook='mkdir -p "$1/src/trimvox"' \
    --customize-hook="tar-in $work/tree.tar /src/trimvox" \
    --customize-hook='chroot "$1" bash -c "cd /src/trimvox && bash scripts/test.sh"' \
    --customize-hook='chroot "$1" bash -c "cd /src/trimvox/build && cpack -G DEB && mkdir /tmp/deb &&
        cp trimvox_*.deb /tmp/deb/"' \
    --customize-hook='chroot "$1" bash -c "cd /src/trimvox/build && export QT_QPA_PLATFORM=offscreen &&
        bench/app/preview_cycle_memory_bench 200 2>/dev/null | tail -n 3 &&
        bench/controls/player/backend_cycle_memory_bench 200 2>/dev/null | tail -n 1"' \
    --customize-hook="sync-out /tmp/deb $out" \
    "$suite" /dev/null "$mirror" >"$out/test.log" 2>&1 || status=$?
  if [ "$status" -ne 0 ]; then
    tail -n 40 "$out/test.log"
    echo "FAILED: build or tests in $suite (status $status); see $out/test.log"
    exit 1
  fi
  grep -E 'tests passed|tests failed' "$out/test.log" | tail -n 1
  grep -E 'after the first 50' "$out/test.log" || true
fi
deb=$(ls "$out"/trimvox_*.deb)

# 2. Another clean system: `apt-get install ./trimvox_*.deb` brings in what the package depends on; both
# programs answer, cut (bytes and whole frames), and the window starts under Xvfb with its pictures.
echo "Installing $(basename "$deb") in a clean $suite system (log: $out/install.log)"
cp "$deb" "$work/trimvox.deb"
check='set -ex
cd /tmp
apt-get install -y -q ./trimvox.deb
trimvox --version
trimvox-cut --version
env -u DISPLAY trimvox --bogus && exit 1 || [ $? -eq 2 ]
apt-get install -y -q --no-install-recommends sox lame xvfb xauth imagemagick
sox -n -r 44100 -c 2 tone.wav synth 3 sine 440
lame --quiet --tt Tone tone.wav tone.mp3
trimvox-cut tone.mp3 0.5 2.5 bytes.mp3
trimvox-cut --precise tone.mp3 0.5 2.5 frames.mp3
test -s bytes.mp3 && test -s frames.mp3
mkdir -p -m 700 /tmp/runtime
export XDG_RUNTIME_DIR=/tmp/runtime XDG_DATA_HOME=/tmp/data
xvfb-run -a -s "-screen 0 1024x768x24" bash -c "
  trimvox tone.mp3 & pid=\$!
  sleep 6
  import -window root screenshot.png
  kill -0 \$pid
  kill \$pid"
test -f /tmp/data/trimvox/tstyle.she'
status=0
nice mmdebstrap --variant=apt \
  --customize-hook="copy-in $work/trimvox.deb /tmp" \
  --customize-hook="chroot \"\$1\" bash -c '$check'" \
  --customize-hook="copy-out /tmp/screenshot.png $out" \
  "$suite" /dev/null "$mirror" >"$out/install.log" 2>&1 || status=$?
if [ "$status" -ne 0 ]; then
  tail -n 40 "$out/install.log"
  echo "FAILED: the package in a clean $suite system (status $status); see $out/install.log"
  exit 1
fi
done_what="build, tests, package install and use passed"
[ -z "$package" ] || done_what="$(basename "$package") installed and used"
echo "$suite: $done_what; window picture in $out/screenshot.png"
