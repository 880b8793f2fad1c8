#!/bin/sh
# Ardour's headless Lua session (ardour7-lua, dummy backend, period 512) loads the plug-in by
# URI between a Lua player and recorder (ardour/session.lua). Bypassed, the recorder must hold
# the input; with the preset "Drive", loaded by Ardour, the VST2 file's output at block 512
# after vorra-render's pre-roll, since the plug-in settles on silence before the transport rolls.
. "$(dirname "$0")/common.sh"
need ardour ardour7-lua
input 44100
# Ardour keeps its configuration, scripts and caches there.
export XDG_CONFIG_HOME="$WORK/config" XDG_CACHE_HOME="$WORK/cache"
mkdir -p "$XDG_CONFIG_HOME/ardour7/scripts" "$XDG_CACHE_HOME"
cp "$HERE/ardour/scripts/"*.lua "$XDG_CONFIG_HOME/ardour7/scripts/"
export VORRA_URI="$URI" VORRA_INPUT="$WORK/in.wav" VORRA_OUTPUT_PREFIX="$WORK/out"
export VORRA_PASSES="bypass:bypass;drive:preset=Drive"

run_session() {
  rm -rf "$WORK/session" "$WORK"/out-*.wav
  VORRA_SESSION_DIR="$WORK/session" timeout 240 ardour7-lua "$HERE/ardour/session.lua" \
    >"$WORK/ardour.txt" 2>&1
  status=$?
  grep '^RESULT\|^ERROR' "$WORK/ardour.txt"
}
run_session
# ardour7-lua has died now and then inside Ardour's own code (heap corruption, also without any
# plug-in); an exit without an ERROR line of the script's gets one more run.
if [ $status -ne 0 ] && ! grep -q '^ERROR' "$WORK/ardour.txt"; then
  echo "NOTE: ardour7-lua exited $status ($(tail -1 "$WORK/ardour.txt")); running it once more"
  run_session
fi
[ $status -eq 0 ] || fail "ardour7-lua exited $status: $(tail -3 "$WORK/ardour.txt")"

"$WAV_SAMPLES" compare "$WORK/in.wav" "$WORK/out-bypass.wav" ||
  fail "the bypassed pass did not record the input"
vst2 512 "$WORK/vst2.wav" --program Drive
"$WAV_SAMPLES" compare "$WORK/vst2.wav" "$WORK/out-drive.wav" ||
  fail "Ardour's output with the preset Drive is not the VST2 file's"
