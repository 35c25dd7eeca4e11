#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# `cmake --install` of the build into a fresh prefix lays out exactly the expected files, each of which
# passes its validator. A validator whose tool is missing is skipped with a note; the layout is always checked.
# Usage: install_layout_test.sh BUILD_DIR VERSION
set -uo pipefail
here=$(dirname "$0")
. "$here/install_check.sh" "$@"
prefix=$work/prefix

cmake --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1 || { cat "$work/install.log"; fail "cmake --install"; }
compare_files "$prefix" "$here/installed_files.txt"
check_versions "$prefix" "$version"

have() {
  command -v "$1" >/dev/null 2>&1 && return 0
  echo "SKIP: $1 is not installed (scripts/install-deps.sh installs it)"
  return 1
}

desktop=$prefix/share/applications/org.trimvox.Trimvox.desktop
if have desktop-file-validate; then
  out=$(desktop-file-validate "$desktop" 2>&1) || fail "desktop-file-validate: $out"
  [ -z "$out" ] || fail "desktop-file-validate: $out"
fi
for line in 'Exec=trimvox %f' 'MimeType=audio/mpeg;' 'Icon=org.trimvox.Trimvox' \
  'Categories=AudioVideo;Audio;AudioVideoEditing;' 'Name[zh_CN]=' 'GenericName[zh_CN]=' 'Comment[zh_CN]='; do
  grep -qF "$line" "$desktop" || fail "the desktop entry lacks '$line'"
done

metainfo=$prefix/share/metainfo/org.trimvox.Trimvox.metainfo.xml
if have appstreamcli; then
  # The project has no home page to name; AppStream 1.0 (Debian 13) warns of that and of nothing else.
  out=$(appstreamcli validate --no-net "$metainfo" 2>&1) ||
    [ -z "$(grep -E '^[EW]:' <<<"$out" | grep -v 'url-homepage-missing')" ] || fail "appstreamcli validate: $out"
fi
grep -qF "<release version=\"$version\"" "$metainfo" || fail "the metainfo has no release entry for $version"
grep -qF "<project_license>GPL-3.0-or-later</project_license>" "$metainfo" || fail "the metainfo names no licence"
grep -qF "StartupWMClass=Trimvox" "$desktop" || fail "the desktop entry lacks the window's class"
grep -qF "License: GPL-3+" "$prefix/share/doc/trimvox/copyright" || fail "the copyright file names no licence"

if have man; then
  for page in trimvox trimvox-cut; do
    file=$prefix/share/man/man1/$page.1.gz
    # As lintian reads them: in UTF-8 (the page of trimvox names its Chinese buttons).
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$file" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "man --warnings -l $page.1: $warnings"
    MANWIDTH=80 man -l "$file" 2>/dev/null | grep -q "^NAME" || fail "man -l $page.1 shows no NAME section"
    zcat "$file" | grep -qF "Trimvox $version" || fail "$page.1 does not carry version $version"
  done
fi

# Each icon has the size of its folder (drawn at that size).
if have file; then
  for png in "$prefix"/share/icons/hicolor/*/apps/org.trimvox.Trimvox.png; do
    size=$(basename "$(dirname "$(dirname "$png")")")
    file "$png" | grep -q "PNG image data, ${size/x/ x }," || fail "$png is not a ${size} PNG: $(file -b "$png")"
  done
fi

[ "$failed" = 0 ] && echo "install layout and validators: ok"
exit "$failed"
