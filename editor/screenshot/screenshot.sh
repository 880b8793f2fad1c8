#!/usr/bin/env bash
# Takes a picture of the editor as Wine's X11 driver draws it, on a virtual screen:
#   editor/screenshot/screenshot.sh <Windows build tree> <output .png>
# Uses a prefix of its own (<tree>/wineprefix-x11), since the test prefix has no display.
set -euo pipefail
tree=$(cd "$1" && pwd)
output=$2
mkdir -p "$(dirname "$output")"
export WINEPREFIX="$tree/wineprefix-x11"
export WINEDEBUG=-all
export WINEDLLOVERRIDES='mscoree=;mshtml='

xvfb-run -a -s "-screen 0 640x480x24" bash -c '
  set -e
  [ -f "$WINEPREFIX/.vorra-ready" ] || { wineboot -i >/dev/null 2>&1; wineserver -w; touch "$WINEPREFIX/.vorra-ready"; }
  wine "$1/editor/screenshot/editor_viewer.exe" "$1/Vorra OverDrive.dll" 8 >/dev/null 2>&1 &
  viewer=$!
  sleep 6
  import -window "Vorra OverDrive" "$2"
  wait "$viewer"
  wineserver -k || true
' screenshot "$tree" "$(cd "$(dirname "$output")" && pwd)/$(basename "$output")"
echo "screenshot: $output"
