#!/bin/sh
# jalv.gtk3 under Xvfb, with JACK's dummy driver, shows the plug-in's own UI: a window of the
# UI's X connection appears, viewable, inside jalv's window (which jalv names after the
# plug-in), and jalv quits cleanly on SIGTERM, cleaning up the UI and the instance. The X
# server and the JACK server are this test's own: other jobs may run theirs.
. "$(dirname "$0")/common.sh"
[ -f "$BUNDLE/vorra-overdrive-ui.so" ] || skip "the bundle has no UI (built without the Linux editor)"
need jalv jalv.gtk3
need jackd2 jackd jack_wait
need xvfb Xvfb
need x11-utils xwininfo xdpyinfo

# With at most 256 clients the server gives each client the ids of one range of 2^21: a window
# whose id lies outside the range of jalv's window belongs to another connection, the UI's.
Xvfb -displayfd 3 -maxclients 256 -screen 0 1024x768x24 -nolisten tcp 3>"$WORK/display" \
  >"$WORK/xvfb.txt" 2>&1 &
BACKGROUND="$!"
for _ in $(seq 100); do [ -s "$WORK/display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$WORK/display")"
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
xdpyinfo >/dev/null 2>&1 || fail "Xvfb did not start ($DISPLAY): $(tail -2 "$WORK/xvfb.txt")"

export JACK_DEFAULT_SERVER="vorra-lv2-$$" JACK_NO_AUDIO_RESERVATION=1
jackd -n "$JACK_DEFAULT_SERVER" --no-realtime -d dummy -r 44100 -p 512 >"$WORK/jackd.txt" 2>&1 &
BACKGROUND="$! $BACKGROUND"
jack_wait -w -t 10 >/dev/null 2>&1 || fail "jackd did not start: $(tail -2 "$WORK/jackd.txt")"

jalv.gtk3 "$URI" >"$WORK/jalv.txt" 2>&1 &
jalv=$!
BACKGROUND="$jalv $BACKGROUND"

range() { echo $(($1 >> 21)); }
embedded=
for _ in $(seq 100); do
  host=$(xwininfo -root -tree | awk '/"Vorra OverDrive": \("jalv/ { print $1; exit }')
  if [ -n "$host" ]; then
    for window in $(xwininfo -tree -id "$host" | awk '$1 ~ /^0x/ { print $1 }'); do
      [ "$(range "$window")" -ne "$(range "$host")" ] &&
        xwininfo -id "$window" | grep -q 'Map State: IsViewable' && embedded=$window
    done
  fi
  [ -n "$embedded" ] && break
  kill -0 "$jalv" 2>/dev/null || fail "jalv ended: $(tail -3 "$WORK/jalv.txt")"
  grep -q 'Failed to instantiate UI' "$WORK/jalv.txt" && fail "$(grep 'Failed to instantiate' "$WORK/jalv.txt")"
  sleep 0.1
done
[ -n "$host" ] || fail "jalv's window did not appear: $(tail -3 "$WORK/jalv.txt")"
xwininfo -tree -id "$host" | grep '0x'
[ -n "$embedded" ] || fail "no window of the UI inside jalv's window $host: $(tail -3 "$WORK/jalv.txt")"
echo "the UI's window $embedded is inside jalv's window $host"

kill "$jalv"
wait "$jalv"
status=$?
BACKGROUND=${BACKGROUND#"$jalv "}
[ $status -lt 128 ] || fail "jalv died with signal $((status - 128)) on quitting: $(tail -3 "$WORK/jalv.txt")"
