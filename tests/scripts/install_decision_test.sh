#!/bin/sh
# The installer's decision on real `apt-get install -s` outputs (apt-simulations/), one case a line:
# the output's file, then the line the decision prints. "install" is the one answer that exits 0.
#   install_decision_test.sh scripts/install-decision.sh
decide=$1
simulations=$(dirname "$0")/apt-simulations
cases=0
failures=0
while IFS='|' read -r simulation expected; do
  cases=$((cases + 1))
  actual=$("$decide" <"$simulations/$simulation.txt")
  status=$?
  expected_status=1
  [ "$expected" = install ] && expected_status=0
  if [ "$actual" != "$expected" ] || [ $status -ne $expected_status ]; then
    echo "$simulation: expected \"$expected\" (exit $expected_status), got \"$actual\" (exit $status)"
    failures=$((failures + 1))
  fi
done <<'CASES'
installs-and-upgrades|install
wine32-unmet-dependencies|apt: libcups2 depends on libavahi-client3 (>= 0.6.16) but it is not going to be installed
unknown-package|apt: Unable to locate package wine32:i386
removes|apt would remove systemd-timesyncd
downgrades|apt would downgrade openssl
downgrades-and-removes|apt would downgrade libssl3 and remove libpq-dev, libssl-dev, libxmlsec1-dev
CASES
echo "$((cases - failures)) of $cases cases as expected"
[ $failures -eq 0 ]
