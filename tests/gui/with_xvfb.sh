#!/usr/bin/env bash
# Runs a command on a virtual display of its own. Xvfb says which display
# it took once it is ready (-displayfd), so nothing races or waits on a
# signal. The screen is wide enough for the main window with 層の一覧
# beside it; BORVIK_XVFB_SCREEN chooses another.
set -euo pipefail
dir=$(mktemp -d)
trap 'kill "$xvfb" 2>/dev/null || true; wait "$xvfb" 2>/dev/null || true; rm -rf "$dir"' EXIT
mkfifo "$dir/display"
Xvfb -displayfd 3 -screen 0 "${BORVIK_XVFB_SCREEN:-2560x1440x24}" -nolisten tcp 3>"$dir/display" 2>"$dir/xvfb.log" &
xvfb=$!
read -r -t 30 number <"$dir/display" || { cat "$dir/xvfb.log" >&2; exit 1; }
export DISPLAY=":$number"
"$@"
