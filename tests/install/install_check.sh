# SPDX-License-Identifier: GPL-3.0-or-later
# Checks shared by the install and the package tests, sourced with their arguments BUILD_DIR VERSION: sets
# `build`, `version` and a fresh folder `work` removed at the end. Each failed check prints one line and
# sets `failed`.
build=$1
version=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
fail() {
  echo "FAIL: $*"
  failed=1
}

# The files under a prefix, one relative path a line, sorted.
files_under() {
  (cd "$1" && find . -type f | sed 's|^\./||' | LC_ALL=C sort)
}

# compare_files PREFIX LIST: the files under PREFIX are exactly those of LIST.
compare_files() {
  local expected actual
  expected=$(LC_ALL=C sort "$2")
  actual=$(files_under "$1")
  if [ "$expected" != "$actual" ]; then
    fail "installed files differ from $2:"
    diff <(echo "$expected") <(echo "$actual") | sed 's/^/  /'
  fi
}

# check_versions PREFIX VERSION: both programs print VERSION and their licence, without a display.
check_versions() {
  local program out
  for program in trimvox trimvox-cut; do
    out=$(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb "$1/bin/$program" --version 2>&1)
    [ "$(echo "$out" | head -n 1)" = "$program $2" ] || fail "$program --version printed '$out', expected '$program $2'"
    echo "$out" | grep -q 'GPL-3.0-or-later' || fail "$program --version names no licence: '$out'"
  done
}
