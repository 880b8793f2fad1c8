#!/usr/bin/env bash
# Takes a picture of the editor as Wine's X11 driver draws it, on a virtual screen:
#   editor/screenshot/screenshot.sh <Windows build tree> <output .png>
# Uses a prefix of its own (<tree>/wineprefix-x11), since the test prefix has no display, and
# the tree's own Wine loader. A tree whose programs cannot run here is skipped with the reason.
set -euo pipefail
tree=$(cd "$1" && pwd)
output=$2
if [ -f "$tree/tests-skipped.txt" ]; then
  echo "screenshot: $output skipped: $(sed 's/^.*skipped: //' "$tree/tests-skipped.txt")"
  exit 0
fi
mkdir -p "$(dirname "$output")"
cached() { sed -n "s/^$1:FILEPATH=//p" "$tree/CMakeCache.txt"; }
export WINELOADER=$(cached WINE_LOADER) WINESERVER=$(cached WINE_SERVER)
export WINEPREFIX="$tree/wineprefix-x11"
export WINEDEBUG=-all
export WINEDLLOVERRIDES='mscoree=;mshtml='

xvfb-run -a -s "-screen 0 640x480x24" bash -c '
  set -e
  if [ ! -f "$WINEPREFIX/.vorra-ready" ]; then
    "$WINELOADER" wineboot -i >"$WINEPREFIX.log" 2>&1 || { cat "$WINEPREFIX.log" >&2; exit 1; }
    "$WINESERVER" -w
    touch "$WINEPREFIX/.vorra-ready"
  fi
  "$WINELOADER" "$1/editor/screenshot/editor_viewer.exe" "$1/Vorra OverDrive.dll" 8 >/dev/null 2>&1 &
  viewer=$!
  sleep 6
  import -window "Vorra OverDrive" "$2"
  wait "$viewer"
  "$WINESERVER" -k || true
' screenshot "$tree" "$(cd "$(dirname "$output")" && pwd)/$(basename "$output")"
echo "screenshot: $output"
