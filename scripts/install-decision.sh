#!/usr/bin/env bash
# Whether an install is harmless, from apt's own simulation of it:
#   LC_ALL=C apt-get install -s --no-install-recommends PACKAGE 2>&1 | scripts/install-decision.sh
# Prints "install" when apt resolves it and it removes and downgrades no installed package.
# Otherwise prints one line saying why not and exits 1: the first unmet dependency (or apt's
# error) in apt's words, or the packages it would downgrade and remove.
set -euo pipefail
exec awk '
  # Package lists under a section header are indented by two spaces and may wrap.
  section != "" && /^  / {
    for (i = 1; i <= NF; i++) listed[section] = listed[section] (listed[section] ? ", " : "") $i
    next
  }
  { section = "" }
  /^The following packages will be REMOVED:$/ { section = "remove" }
  /^The following packages will be DOWNGRADED:$/ { section = "downgrade" }
  /^E: / && failure == "" { failure = "apt: " substr($0, 4) }
  # " libfoo:i386 : Depends: libbar:i386 (>= 1) but it is not going to be installed"
  unmet == 1 {
    line = $0
    sub(/^ +/, "", line)
    name = line
    sub(/ : .*/, "", name)
    sub(/^[^ ]+ : /, "", line)
    kind = line
    sub(/:.*/, "", kind)
    sub(/^[^:]+: /, "", line)
    verb = tolower(kind)
    if (kind ~ /Depends$/) verb = verb " on"
    if (kind == "Conflicts") verb = verb " with"
    dependency = "apt: " name " " verb " " line
    unmet = 2
  }
  /^The following packages have unmet dependencies:$/ && !unmet { unmet = 1 }
  END {
    if (dependency != "") failure = dependency
    if (failure == "") {
      harm = listed["downgrade"] ? "downgrade " listed["downgrade"] : ""
      if (listed["remove"]) harm = harm (harm ? " and " : "") "remove " listed["remove"]
      if (harm) failure = "apt would " harm
    }
    if (failure == "") { print "install"; exit 0 }
    print failure
    exit 1
  }
'
