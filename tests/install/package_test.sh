#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# CPack makes the Debian package of the build: its control fields, its files (those `cmake --install` lays
# out, under /usr), dependencies found by dpkg-shlibdeps plus the run-time ones, and programs that work.
# Usage: package_test.sh BUILD_DIR VERSION
set -uo pipefail
here=$(dirname "$0")
. "$here/install_check.sh" "$@"

arch=$(dpkg --print-architecture)
debian_version=$version-1
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1 || { cat "$work/cpack.log"; fail "cpack"; }
deb=$work/trimvox_${debian_version}_${arch}.deb
if [ ! -f "$deb" ]; then
  fail "no package $deb"
  ls "$work"
  exit 1
fi

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = trimvox ] || fail "Package is '$(field Package)'"
[ "$(field Version)" = "$debian_version" ] || fail "Version is '$(field Version)', expected $debian_version"
[ "$(field Architecture)" = "$arch" ] || fail "Architecture is '$(field Architecture)', expected $arch"
field Maintainer | grep -qE '^[^<]+ <[^@>]+@[^>]+>$' || fail "Maintainer is '$(field Maintainer)'"
[ "$(field Description | wc -l)" -ge 2 ] || fail "Description has no long text: '$(field Description)'"

dpkg-deb -x "$deb" "$work/root" || fail "dpkg-deb -x"
compare_files "$work/root/usr" "$here/installed_files.txt"
check_versions "$work/root/usr" "$version"
changelog=$work/root/usr/share/doc/trimvox/changelog.Debian.gz
zcat "$changelog" | head -n 1 | grep -qF "trimvox ($debian_version)" || fail "the changelog's first entry is not $debian_version"

# Every library the programs need comes from a package in Depends (whatever this release calls it: libtag1v5
# or libtag2, libqt6core6 or libqt6core6t64), found by the package that holds the library on this system:
# that package, or one it provides, is in Depends or is a dependency of one in Depends (as libtag1v5 brings
# libtag1v5-vanilla). The player's GStreamer plugins are loaded at run time, so the package names them itself.
# The package names of a Depends list, alternatives included, one a line.
names() { tr ',|' '\n\n' | sed -E 's/^ *([^ (:]+).*/\1/' | sed '/^$/d'; }
depends=$(field Depends | names)
reached=$(
  echo "$depends"
  for dependency in $depends; do
    dpkg-query -W -f='${Depends}, ${Pre-Depends}\n' "$dependency" 2>/dev/null | names
  done
)
# dpkg-shlibdeps looks at the libraries a program names itself (NEEDED), not at theirs.
for program in "$work"/root/usr/bin/*; do
  readelf -d "$program" | sed -nE 's/.*\(NEEDED\).*\[(.*)\]/\1/p' | while read -r soname; do
    ldd "$program" | awk -v soname="$soname" '$1 == soname && $2 == "=>" { print $1, $3 }'
  done
done | sort -u >"$work/libraries"
[ -s "$work/libraries" ] || fail "ldd found no libraries"
while read -r soname path; do
  owner=""
  for candidate in "$path" "$(readlink -f "$path")" "${path#/usr}" "$(readlink -f "$path" | sed 's|^/usr||')"; do
    owner=$(dpkg -S "$candidate" 2>/dev/null | head -n 1 | cut -d: -f1) && [ -n "$owner" ] && break
  done
  if [ -z "$owner" ]; then
    fail "no installed package holds $soname ($path)"
    continue
  fi
  provided=$( (echo "$owner" && dpkg-query -W -f='${Provides}\n' "$owner") | names)
  grep -qxF -f <(echo "$provided") <<<"$reached" ||
    fail "Depends does not bring $owner, which holds $soname: $(field Depends)"
done <"$work/libraries"
for dependency in gstreamer1.0-plugins-good gstreamer1.0-plugins-base; do
  grep -qxF "$dependency" <<<"$depends" || fail "Depends lacks $dependency: $(field Depends)"
done

# Hardened and stripped: both programs bind at start, with read-only relocations and stack protection, and
# carry no symbol table.
for program in "$work"/root/usr/bin/*; do
  name=$(basename "$program")
  dynamic=$(readelf -d "$program")
  segments=$(readelf -lW "$program")
  symbols=$(readelf --dyn-syms -W "$program")
  sections=$(readelf -SW "$program")
  grep -qE 'BIND_NOW|FLAGS.*NOW' <<<"$dynamic" || fail "$name is not linked with -z now"
  grep -q GNU_RELRO <<<"$segments" || fail "$name has no RELRO segment"
  grep -q '__stack_chk_fail' <<<"$symbols" || fail "$name has no stack protector"
  grep -qE '\.symtab|\.debug_' <<<"$sections" && fail "$name is not stripped"
done

# The packaged (stripped) programs work: trimvox-cut cuts a real MP3 file; trimvox starts with it and runs.
sox -n -r 44100 -c 1 "$work/tone.wav" synth 1 sine 440 2>/dev/null && lame --quiet "$work/tone.wav" "$work/tone.mp3" ||
  fail "sox or lame could not make an MP3 file"
"$work/root/usr/bin/trimvox-cut" "$work/tone.mp3" 0.25 0.75 "$work/part.mp3" || fail "the packaged trimvox-cut failed"
[ -s "$work/part.mp3" ] || fail "the packaged trimvox-cut wrote nothing"
mkdir -p "$work/home/data" "$work/home/runtime" && chmod 700 "$work/home/runtime"
XDG_DATA_HOME=$work/home/data XDG_RUNTIME_DIR=$work/home/runtime QT_QPA_PLATFORM=offscreen \
  "$work/root/usr/bin/trimvox" "$work/tone.mp3" >"$work/gui.log" 2>&1 &
gui=$!
sleep 3
if kill -0 "$gui" 2>/dev/null; then
  kill "$gui"
  wait "$gui" 2>/dev/null
  [ -f "$work/home/data/trimvox/tstyle.she" ] || fail "the packaged trimvox did not prepare its data folder"
  engine=$(readelf -SW "$work/home/data/trimvox/SkinH_VB6.dll")
  grep -qE '\.symtab|\.debug_' <<<"$engine" && fail "the skin engine in the data folder is not stripped"
else
  wait "$gui"
  fail "the packaged trimvox ended at once (status $?): $(cat "$work/gui.log")"
fi

[ "$failed" = 0 ] && echo "package contents and fields: ok"
exit "$failed"
