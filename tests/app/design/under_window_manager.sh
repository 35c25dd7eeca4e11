#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a command on a virtual X server of the given size under a real window manager (Openbox), so that
# windows get the frames and placement a user sees. Usage: under_window_manager.sh WxH command [args...]
set -euo pipefail
size=$1
shift
work=$(mktemp -d)
xvfb_pid=
wm_pid=
cleanup() {
  [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null && wait "$wm_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# The server picks a free display number and writes it to the pipe when it is ready.
mkfifo "$work/display"
Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
read -r -t 20 number <"$work/display" || { echo "Xvfb did not start"; cat "$work/xvfb.log"; exit 1; }
export DISPLAY=":$number"

# Openbox runs the start-up command once it manages the screen.
export HOME="$work" XDG_CONFIG_HOME="$work/config"
openbox --sm-disable --startup "touch $work/wm-ready" >"$work/openbox.log" 2>&1 &
wm_pid=$!
for _ in $(seq 200); do
  [ -e "$work/wm-ready" ] && break
  sleep 0.05
done
[ -e "$work/wm-ready" ] || { echo "Openbox did not start"; cat "$work/openbox.log"; exit 1; }

export QT_QPA_PLATFORM=xcb
"$@"
