#!/usr/bin/env bash
# Installs the Debian packages one front door needs:
#   scripts/install-deps.sh GROUP...    (demo, test, bench, screenshot, dist, install)
# Idempotent: only missing packages are installed, and apt is asked nothing when everything is
# already there. An index that fails to update is a warning; a package that every tree needs and
# that cannot be installed is an error that names it. No installed package is ever removed or
# downgraded.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)

linux_build=(build-essential cmake ninja-build make pkg-config libcli11-dev libsndfile1-dev)
linux_tests=(googletest libgtest-dev libbenchmark-dev zam-plugins sox)
# The Linux editor (cairo on XCB) and its tests (XTest under Xvfb). Without the two libraries the
# Linux plug-in builds without an editor; without Xvfb the editor's tests skip.
linux_editor=(libcairo2-dev libxcb1-dev libxcb-xtest0-dev xvfb xauth)
sanitizers=(clang libclang-rt-14-dev)
# The LV2 bundle needs its headers, vorra-render's LV2 host lilv.
lv2_build=(lv2-dev)
# Hosts nobody here wrote, which the LV2, CLAP and VST3 tests drive: lilv's tools, ecasound,
# jalv with JACK, Ardour, Qtractor's scanner. Each is installed only where that is harmless
# (below); without one, the tests that drive it skip.
test_hosts=(sordi lilv-utils ecasound jalv jackd2 ardour x11-utils qtractor)
# The C declarations of the newer plug-in interfaces (cmake/dpf_headers.cmake); a tree without
# them leaves out the formats that need them.
dpf_headers=(dpf-source)
windows=(g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix binutils-mingw-w64 googletest wine wine64)

wanted=()
needs_windows=0
needs_test_hosts=0
for group in "$@"; do
  case $group in
    demo) wanted+=("${linux_build[@]}") ;;
    test) wanted+=("${linux_build[@]}" "${linux_tests[@]}" "${linux_editor[@]}" "${sanitizers[@]}" "${lv2_build[@]}" liblilv-dev "${dpf_headers[@]}"); needs_windows=1; needs_test_hosts=1 ;;
    bench) wanted+=("${linux_build[@]}" libbenchmark-dev valgrind zam-plugins); needs_windows=1 ;;
    screenshot) wanted+=("${linux_build[@]}" "${linux_editor[@]}" imagemagick); needs_windows=1 ;;
    dist) wanted+=("${linux_build[@]}" libcairo2-dev libxcb1-dev "${lv2_build[@]}" "${dpf_headers[@]}" zip); needs_windows=1 ;;
    install) wanted+=("${linux_build[@]}" libcairo2-dev libxcb1-dev "${lv2_build[@]}" "${dpf_headers[@]}") ;;
    *) echo "install-deps: unknown group '$group' (demo, test, bench, screenshot, dist, install)" >&2; exit 2 ;;
  esac
done
[ ${#wanted[@]} -gt 0 ] || { echo "usage: scripts/install-deps.sh demo|test|bench|screenshot|dist|install..." >&2; exit 2; }
[ $needs_windows -eq 1 ] && wanted+=("${windows[@]}")

installed() { [[ $(dpkg-query -W -f='${Status}' "$1" 2>/dev/null) == "install ok installed" ]]; }
missing_of() {
  local p
  for p in "$@"; do installed "$p" || echo "$p"; done | sort -u
}

need_root() {
  if [ "$(id -u)" -ne 0 ]; then
    echo "install-deps: missing packages ($*); run as root or install them" >&2
    exit 1
  fi
}
i386_enabled() { [[ $'\n'$(dpkg --print-foreign-architectures)$'\n' == *$'\ni386\n'* ]]; }

# Updates the package indexes once per run, after adding the i386 architecture if PACKAGE...
# names an ":i386" package and it is not there yet.
updated=0
update_indexes() {
  export DEBIAN_FRONTEND=noninteractive
  if [[ " $* " == *":i386 "* ]] && ! i386_enabled; then
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
}

# Installs PACKAGE...; answers 1 with those still missing in `failed`. With -y and without
# --allow-downgrades apt refuses to downgrade, and --no-remove makes it refuse to remove.
failed=()
apt_install() {
  failed=()
  [ $# -gt 0 ] || return 0
  need_root "$@"
  update_indexes "$@"
  local available=() p
  for p in "$@"; do
    if [[ $(apt-cache policy "$p" 2>/dev/null) == *"Candidate: "[^\(]* ]]; then
      available+=("$p")
    else
      failed+=("$p")
    fi
  done
  if [ ${#available[@]} -gt 0 ]; then
    apt-get install -y -q --no-install-recommends --no-remove -o DPkg::Lock::Timeout=300 \
      "${available[@]}" || true
  fi
  for p in "${available[@]}"; do installed "$p" || failed+=("$p"); done
  [ ${#failed[@]} -eq 0 ]
}

# Installs PACKAGE, which one tree's tests alone need, only when apt's simulation shows that it
# resolves and removes and downgrades nothing; otherwise answers 1 with apt's reason in `refusal`.
refusal=
install_if_harmless() {
  installed "$1" && return 0
  if [[ $1 == *:i386 ]] && ! i386_enabled; then
    need_root "$1"
    update_indexes "$1"
  fi
  refusal=$(LC_ALL=C apt-get install -s --no-install-recommends "$1" 2>&1 |
            "$here/install-decision.sh") || true
  [ "$refusal" = install ] || return 1
  apt_install "$1" && return 0
  refusal="apt-get install $1 failed"
  return 1
}

mapfile -t missing < <(missing_of "${wanted[@]}")
apt_install "${missing[@]}" || { echo "install-deps: cannot install: ${failed[*]}" >&2; exit 1; }

# 32-bit Wine serves the win32 tree's tests alone, and only where the kernel runs 32-bit programs:
# the i386 C library comes first, and its loader answers or not. Where either cannot be installed,
# the win32 tests skip and the reason is left for that tree's configure (cmake/wine.cmake).
# VORRA_NO_32BIT=1 leaves 32-bit Wine out, as a machine that runs no 32-bit programs would.
wine32_reason_file=$(dirname "$here")/build/wine32-left-out.txt
leave_wine32_out() {
  mkdir -p "$(dirname "$wine32_reason_file")"
  echo "32-bit Wine cannot be installed ($refusal)" >"$wine32_reason_file"
  echo "install-deps: win32 tests skipped: 32-bit Wine cannot be installed ($refusal)"
}
if [ $needs_windows -eq 1 ] && [ -z "${VORRA_NO_32BIT:-}" ]; then
  rm -f "$wine32_reason_file"
  if ! install_if_harmless libc6:i386; then
    leave_wine32_out
  elif ! /lib/ld-linux.so.2 --version >/dev/null 2>&1; then
    echo "install-deps: this machine cannot run 32-bit programs; 32-bit Wine left out"
  elif ! install_if_harmless wine32:i386; then
    leave_wine32_out
  fi
fi

# The hosts serve their tests alone.
if [ $needs_test_hosts -eq 1 ]; then
  for package in "${test_hosts[@]}"; do
    install_if_harmless "$package" || echo "install-deps: $package left out ($refusal): the tests that drive it skip"
  done
fi
