#!/bin/sh
# A headless Ardour 7 session (ardour7-lua, the dummy backend) renders a table tone through the
# bundle, and vorra-render renders Ardour's dry export of the same tone through it at the same
# 1024-frame blocks with no pre-roll: the two must agree on every bit, and differ from the dry.
# Bit identity holds because Ardour's call pattern allows it: the tone is silent until the
# export rolls, and the values chosen (ardour_render.lua) keep every smoothed control where a
# fresh instance starts it, so the cycles Ardour runs before the export leave the state as new.
#   ardour_render_test.sh BUNDLE VORRA_RENDER WAV_SAMPLES
set -u
bundle=$1 render=$2 samples=$3
here=$(cd "$(dirname "$0")" && pwd)
scanner=/usr/lib/ardour7/ardour-vst3-scanner
if ! command -v ardour7-lua >/dev/null 2>&1 || [ ! -x "$scanner" ]; then
  echo "skipped: Ardour 7 (ardour7-lua and its VST3 scanner, Debian package ardour) is not installed"
  exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

# Ardour trusts its scan cache only when it is newer than the binary, in whole seconds, and reads
# it only for bundles on VST3_PATH; the build tree's file is not touched: a copy, dated back.
mkdir -p "$work/plugins" "$work/config/ardour7/scripts" "$work/config/ardour7/export"
cp -R "$bundle" "$work/plugins/"
touch -d "@$(($(date +%s) - 60))" "$work/plugins/Vorra OverDrive.vst3/Contents/x86_64-linux/Vorra OverDrive.so"
cp "$here/table_tone.lua" "$work/config/ardour7/scripts/"
cp "$here/float32.preset" "$work/config/ardour7/export/"
export XDG_CONFIG_HOME="$work/config" XDG_CACHE_HOME="$work/cache" VST3_PATH="$work/plugins"
LD_LIBRARY_PATH=/usr/lib/ardour7 "$scanner" -f "$work/plugins/Vorra OverDrive.vst3" >"$work/scan.log" 2>&1 ||
  { cat "$work/scan.log"; fail "the scanner failed"; }

# Ardour's export sometimes crashes at exit after writing a complete file (with or without a
# plug-in): the file's length decides, and a short one is rendered once more.
session() {  # PLUGIN NAME
  for attempt in 1 2; do
    rm -rf "${work:?}/$2"
    ardour7-lua "$here/ardour_render.lua" "$1" "$work/$2" >"$work/$2.log" 2>&1
    status=$?
    frames=$("$samples" frames "$work/$2/export.wav" 2>/dev/null)
    echo "ardour7-lua $2: exit $status, ${frames:-no file} (attempt $attempt)"
    grep -E "^(plugin|export)" "$work/$2.log"
    [ "$frames" = "frames 96000" ] && return 0
  done
  tail -n 20 "$work/$2.log"
  return 1
}
session - dry || fail "no dry export"
session 08973D595874CBBAEDEE36EAEB0FB013 wet || fail "no export through the plug-in"

"$render" --plugin "$bundle" --no-preroll --block 1024 --quiet --set PreBand=0 --set Color=0 \
  --set PreAmp=0 --set "x 100=0" --set PostFilter=1 --set PostGain=1 \
  "$work/dry/export.wav" "$work/vorra-render.wav" || fail "vorra-render failed"
printf 'Ardour against vorra-render: '
"$samples" compare "$work/wet/export.wav" "$work/vorra-render.wav" || fail "Ardour's render differs"
printf 'Ardour dry against wet:      '
"$samples" compare "$work/dry/export.wav" "$work/wet/export.wav" && fail "the plug-in left the audio as it was"
echo "PASS: Ardour's session rendered through the bundle what vorra-render renders"
