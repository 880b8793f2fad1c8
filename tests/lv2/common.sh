# Sourced by the host tests of the LV2 bundle. Exit status: 0 pass, 1 fail ("FAIL: why"),
# 77 skip ("SKIP: why"). CTest gives the paths: BUNDLE, VST2_PLUGIN, RENDER (vorra-render) and
# WAV_SAMPLES. Each test works in a folder of its own, removed at exit together with the
# processes it started in the background (BACKGROUND, newest first).
URI=http://www.tonquill.example/plugins/vorra-overdrive
HERE=$(cd "$(dirname "$0")" && pwd)

skip() { echo "SKIP: $*"; exit 77; }
fail() { echo "FAIL: $*"; exit 1; }
# need PACKAGE TOOL...
need() {
  package=$1
  shift
  for tool in "$@"; do
    command -v "$tool" >/dev/null 2>&1 || skip "$tool is not installed (Debian package $package)"
  done
}

WORK=$(mktemp -d) || exit 1
BACKGROUND=
finish() {
  for pid in $BACKGROUND; do
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
  done
  rm -rf "$WORK"
}
trap finish EXIT
trap 'exit 1' INT TERM

# lilv takes every entry of an LV2_PATH folder for a bundle, and LV2_PATH replaces the usual
# folders: the bundle is reached through a folder that holds it alone.
mkdir "$WORK/lv2" && ln -s "$BUNDLE" "$WORK/lv2/" && export LV2_PATH="$WORK/lv2"

# input FRAMES: $WORK/in.wav, the first FRAMES frames of vorra-render's demo riff (stereo
# float, 44.1 kHz, no subnormal sample: hosts that flush them pass it on unchanged).
input() {
  "$RENDER" --dry --quiet --demo "$WORK/demo.wav" &&
    "$WAV_SAMPLES" head "$WORK/demo.wav" "$WORK/in.wav" "$1" || fail "cannot make the input"
}

# vst2 BLOCK OUTPUT [vorra-render option...]: the VST2 file's output for in.wav.
vst2() {
  block=$1
  output=$2
  shift 2
  "$RENDER" --plugin "$VST2_PLUGIN" --quiet --block "$block" "$@" "$WORK/in.wav" "$output" ||
    fail "vorra-render did not render the VST2 file"
}

# Settings as SYMBOL=VALUE in port order; vorra-render takes the symbols as names too.
lv2apply_controls() { for s in $1; do printf ' -c %s %s' "${s%=*}" "${s#*=}"; done; }
render_settings() { for s in $1; do printf ' --set %s' "$s"; done; }
port_values() { for s in $1; do printf ',%s' "${s#*=}"; done; }
