#!/usr/bin/env bash
# Installs the Debian packages one front door needs:
#   scripts/install-deps.sh GROUP...    (demo, test, bench, screenshot, dist)
# Idempotent: only missing packages are installed, and apt is asked nothing when everything is
# already there. An index that fails to update is a warning; a package that cannot be installed
# is an error that names it.
set -euo pipefail

linux_build=(build-essential cmake ninja-build make pkg-config libcli11-dev libsndfile1-dev)
linux_tests=(googletest libgtest-dev libbenchmark-dev zam-plugins sox)
# The Linux editor (cairo on XCB) and its tests (XTest under Xvfb). Without the two libraries the
# Linux plug-in builds without an editor; without Xvfb the editor's tests skip.
linux_editor=(libcairo2-dev libxcb1-dev libxcb-xtest0-dev xvfb xauth)
sanitizers=(clang libclang-rt-14-dev)
windows=(g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix binutils-mingw-w64 googletest wine wine64)

wanted=()
needs_windows=0
for group in "$@"; do
  case $group in
    demo) wanted+=("${linux_build[@]}") ;;
    test) wanted+=("${linux_build[@]}" "${linux_tests[@]}" "${linux_editor[@]}" "${sanitizers[@]}"); needs_windows=1 ;;
    bench) wanted+=("${linux_build[@]}" libbenchmark-dev valgrind zam-plugins); needs_windows=1 ;;
    screenshot) wanted+=("${linux_build[@]}" "${linux_editor[@]}" imagemagick); needs_windows=1 ;;
    dist) wanted+=("${linux_build[@]}" libcairo2-dev libxcb1-dev zip); needs_windows=1 ;;
    *) echo "install-deps: unknown group '$group' (demo, test, bench, screenshot, dist)" >&2; exit 2 ;;
  esac
done
[ ${#wanted[@]} -gt 0 ] || { echo "usage: scripts/install-deps.sh demo|test|bench|screenshot|dist..." >&2; exit 2; }
[ $needs_windows -eq 1 ] && wanted+=("${windows[@]}")

# 32-bit Wine only where the kernel runs 32-bit programs: the i386 C library comes first, and
# its loader answers or not. VORRA_NO_32BIT=1 leaves 32-bit Wine out, as such a machine would.
wants_32bit() { [ $needs_windows -eq 1 ] && [ -z "${VORRA_NO_32BIT:-}" ]; }
wants_32bit && wanted+=(libc6:i386)

installed() { [[ $(dpkg-query -W -f='${Status}' "$1" 2>/dev/null) == "install ok installed" ]]; }
missing_of() {
  local p
  for p in "$@"; do installed "$p" || echo "$p"; done | sort -u
}

updated=0
apt_install() {
  [ $# -gt 0 ] || return 0
  if [ "$(id -u)" -ne 0 ]; then
    echo "install-deps: missing packages ($*); run as root or install them" >&2
    exit 1
  fi
  export DEBIAN_FRONTEND=noninteractive
  if [[ " $* " == *":i386 "* ]] && [[ $'\n'$(dpkg --print-foreign-architectures)$'\n' != *$'\ni386\n'* ]]; then
    dpkg --add-architecture i386
    updated=0
  fi
  if [ $updated -eq 0 ]; then
    local log
    log=$(mktemp)
    if ! apt-get update -q -o DPkg::Lock::Timeout=300 >"$log" 2>&1; then
      echo "install-deps: warning: some package indexes could not be updated; installing from what is there:" >&2
      grep -E '^(W|E|Err):' "$log" | sed 's/^/  /' >&2 || true
    fi
    rm -f "$log"
    updated=1
  fi
  local available=() unavailable=() p
  for p in "$@"; do
    if [[ $(apt-cache policy "$p" 2>/dev/null) == *"Candidate: "[^\(]* ]]; then
      available+=("$p")
    else
      unavailable+=("$p")
    fi
  done
  if [ ${#available[@]} -gt 0 ]; then
    apt-get install -y -q --no-install-recommends -o DPkg::Lock::Timeout=300 "${available[@]}" || true
  fi
  local failed=("${unavailable[@]}")
  for p in "${available[@]}"; do installed "$p" || failed+=("$p"); done
  if [ ${#failed[@]} -gt 0 ]; then
    echo "install-deps: cannot install: ${failed[*]}" >&2
    exit 1
  fi
}

mapfile -t missing < <(missing_of "${wanted[@]}")
apt_install "${missing[@]}"

if wants_32bit && ! installed wine32:i386; then
  if /lib/ld-linux.so.2 --version >/dev/null 2>&1; then
    apt_install wine32:i386
  else
    echo "install-deps: this machine cannot run 32-bit programs; 32-bit Wine left out"
  fi
fi
