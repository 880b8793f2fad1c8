#!/bin/sh
# lv2apply, which gives the plug-in no feature and runs it one frame per call, against the VST2
# file rendered at block 1 without pre-roll (hosts do not pre-roll): the same bits.
. "$(dirname "$0")/common.sh"
need lilv-utils lv2apply lv2ls
lv2ls | grep -qx "$URI" || fail "lv2ls does not list $URI"
input 44100
settings="preband=0.4 color=0.7 preamp=0.6 x100=1 postfilter=0.25 postgain=0.9"
# shellcheck disable=SC2046 # the controls are words
lv2apply -i "$WORK/in.wav" -o "$WORK/lv2.wav" $(lv2apply_controls "$settings") "$URI" \
  >"$WORK/lv2apply.txt" 2>&1 || fail "lv2apply exited $?: $(tail -3 "$WORK/lv2apply.txt")"
# shellcheck disable=SC2046
vst2 1 "$WORK/vst2.wav" --no-preroll $(render_settings "$settings")
"$WAV_SAMPLES" compare "$WORK/vst2.wav" "$WORK/lv2.wav" ||
  fail "lv2apply's output is not the VST2 file's at block 1"
