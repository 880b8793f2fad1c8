#!/bin/sh
# ecasound at -b:512 against the VST2 file rendered at block 512 without pre-roll: the same bits.
# ecasound gives no feature and ignores the ports' defaults (a missing value is 0), so every
# value is given, in port order. It flushes subnormal samples and clips what it writes to +-1:
# the input holds no subnormal sample and the settings keep the output within +-1, which the
# comparison reports otherwise. -x truncates an existing output file.
. "$(dirname "$0")/common.sh"
need ecasound ecasound
input 44100
settings="preband=0.85 color=0.35 preamp=0.9 x100=1 postfilter=0.5 postgain=0.5"
ecasound -x -q -b:512 -f:f32_le,2,44100 -i "$WORK/in.wav" -o "$WORK/lv2.wav" \
  "-elv2:$URI$(port_values "$settings")" >"$WORK/ecasound.txt" 2>&1 ||
  fail "ecasound exited $?: $(tail -3 "$WORK/ecasound.txt")"
# shellcheck disable=SC2046 # the settings are words
vst2 512 "$WORK/vst2.wav" --no-preroll $(render_settings "$settings")
"$WAV_SAMPLES" compare "$WORK/vst2.wav" "$WORK/lv2.wav" ||
  fail "ecasound's output is not the VST2 file's at block 512"
