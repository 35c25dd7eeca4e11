#!/usr/bin/env bash
# CPack makes the Debian package of the build: its control fields, its files (those `cmake --install` lays
# out, under /usr), dependencies found by dpkg-shlibdeps plus the run-time ones, and programs that work.
# Usage: package_test.sh BUILD_DIR VERSION
set -uo pipefail
here=$(dirname "$0")
. "$here/install_check.sh" "$@"

arch=$(dpkg --print-architecture)
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1 || { cat "$work/cpack.log"; fail "cpack"; }
deb=$work/trimvox_${version}_${arch}.deb
if [ ! -f "$deb" ]; then
  fail "no package $deb"
  ls "$work"
  exit 1
fi

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = trimvox ] || fail "Package is '$(field Package)'"
[ "$(field Version)" = "$version" ] || fail "Version is '$(field Version)', expected $version"
[ "$(field Architecture)" = "$arch" ] || fail "Architecture is '$(field Architecture)', expected $arch"
field Maintainer | grep -qE '^[^<]+ <[^@>]+@[^>]+>$' || fail "Maintainer is '$(field Maintainer)'"
[ "$(field Description | wc -l)" -ge 2 ] || fail "Description has no long text: '$(field Description)'"
depends=$(field Depends)
# libc6 and the Qt libraries come from dpkg-shlibdeps; the GStreamer plugins are named by the package.
for dependency in libc6 libqt6core6 libqt6widgets6 libqt6multimedia6 libtag1v5 gstreamer1.0-plugins-good \
  gstreamer1.0-plugins-base; do
  echo "$depends" | tr ',' '\n' | grep -qE "^ *$dependency( |$)" || fail "Depends lacks $dependency: $depends"
done

dpkg-deb -x "$deb" "$work/root" || fail "dpkg-deb -x"
compare_files "$work/root/usr" "$here/installed_files.txt"
check_versions "$work/root/usr" "$version"

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
else
  wait "$gui"
  fail "the packaged trimvox ended at once (status $?): $(cat "$work/gui.log")"
fi

[ "$failed" = 0 ] && echo "package contents and fields: ok"
exit "$failed"
