#!/usr/bin/env bash
# CPack makes the Debian package of the build: its control fields, its files (those `cmake --install` lays
# out, under /usr), dependencies found by dpkg-shlibdeps plus the run-time ones, and programs that run.
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

[ "$failed" = 0 ] && echo "package contents and fields: ok"
exit "$failed"
