#!/bin/sh
# lv2_validate over the bundle's Turtle files; it adds the LV2 vocabularies Debian installs itself.
# Its exit status is not reliable, and a Turtle syntax error only shows on stderr while the
# summary still counts 0 errors: both the summary and stderr are checked.
. "$(dirname "$0")/common.sh"
need lv2-dev lv2_validate
need sordi sord_validate
lv2_validate "$BUNDLE"/*.ttl >"$WORK/validate.txt" 2>"$WORK/errors.txt"
summary=$(grep '^Found [0-9]* errors' "$WORK/validate.txt")
echo "$summary"
# lv2_validate's own list names a file Debian does not ship.
if grep -v '^Skipping file /usr/lib/lv2/core.lv2/lv2core.doap.ttl$' "$WORK/errors.txt" | grep .; then
  fail "lv2_validate wrote errors to stderr"
fi
case $summary in
  "Found 0 errors "*) ;;
  *) cat "$WORK/validate.txt"; fail "lv2_validate found errors" ;;
esac
