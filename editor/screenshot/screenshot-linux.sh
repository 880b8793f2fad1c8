#!/usr/bin/env bash
# Takes a picture of the Linux editor on a virtual screen:
#   editor/screenshot/screenshot-linux.sh <Linux build tree> <output .png> [scale]
# The scale (default 1) reaches the editor as GDK_SCALE. A tree built without the editor is
# skipped with the reason.
set -euo pipefail
tree=$(cd "$1" && pwd)
output=$2
scale=${3:-1}
snapshot="$tree/editor/screenshot/editor_snapshot"
if [ ! -x "$snapshot" ]; then
  echo "screenshot: $output skipped: $tree was built without the Linux editor (libcairo2-dev, libxcb1-dev)"
  exit 0
fi
mkdir -p "$(dirname "$output")"
xvfb-run -a -s "-screen 0 1024x768x24" env GDK_SCALE="$scale" "$snapshot" "$tree/Vorra OverDrive.so" "$output"
echo "screenshot: $output"
