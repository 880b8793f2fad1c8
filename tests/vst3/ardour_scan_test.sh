#!/bin/sh
# Ardour 7's VST3 scanner indexes the bundle: it finds the class and writes its cache entry with
# the class id, name, vendor, category and one stereo bus each way.
#   ardour_scan_test.sh BUNDLE
set -u
bundle=$1
scanner=/usr/lib/ardour7/ardour-vst3-scanner
if [ ! -x "$scanner" ]; then
  echo "skipped: Ardour 7's VST3 scanner ($scanner, Debian package ardour) is not installed"
  exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME="$work/config" XDG_CACHE_HOME="$work/cache"

fail() { echo "FAIL: $*"; exit 1; }
LD_LIBRARY_PATH=/usr/lib/ardour7 "$scanner" -f "$bundle" >"$work/scan.log" 2>&1
status=$?
cat "$work/scan.log"
[ $status -eq 0 ] || fail "the scanner exited with $status"
grep -q "Found Plugin: Vorra OverDrive" "$work/scan.log" || fail "the scanner found no Vorra OverDrive"
cache=$(find "$XDG_CACHE_HOME/ardour7/vst" -name '*.v3i' | head -n 1)
[ -n "$cache" ] || fail "the scanner wrote no cache entry"
cat "$cache"
# The class id is fixed forever (vst3/class_identity.h).
for field in 'uid="08973D595874CBBAEDEE36EAEB0FB013"' 'name="Vorra OverDrive"' \
             'vendor="Tonquill"' 'category="Fx|Distortion"' 'n_inputs="2"' 'n_outputs="2"'; do
  grep -qF "$field" "$cache" || fail "the cache entry lacks $field"
done
echo "PASS: Ardour's scanner indexed the bundle"
