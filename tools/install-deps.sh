#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, only those missing.
# Usage: tools/install-deps.sh [native|windows|all]
set -euo pipefail
what=${1:-all}

# Each list holds everything its path needs on a bare Debian 12 (cmake only
# recommends make, and recommendations are not installed).
build=(cmake make)
# groff-base checks kelvane-calc's manual page; dpkg-dev (dpkg-shlibdeps) finds its package's dependencies.
native=("${build[@]}" g++ libgtest-dev libbenchmark-dev python3 clang-format-14 groff-base dpkg-dev)
# The run command: the program and Wine in a virtual display, and a screenshot.
windows=("${build[@]}" g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix binutils-mingw-w64-i686
         binutils-mingw-w64-x86-64 wine wine64 wine32:i386 fonts-wine xvfb xauth xdotool imagemagick)
# The Windows tests on top: GoogleTest's sources, the zips, two monitors (Xephyr), qemu for 32-bit code.
windows_tests=(googletest x11-utils zip unzip xserver-xephyr qemu-user-static)

want=()
case "$what" in
  native) want=("${native[@]}") ;;
  windows) want=("${windows[@]}") ;;
  all) want=("${native[@]}" "${windows[@]}" "${windows_tests[@]}") ;;
  *) echo "usage: $0 [native|windows|all]" >&2; exit 2 ;;
esac

missing=()
# Outputs are read whole, never piped into `grep -q`: with pipefail, grep
# ending early can kill the writer with SIGPIPE and fail the test at random.
for p in "${want[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [ "$status" = "install ok installed" ] || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO=sudo
echo "Installing: ${missing[*]}"
if [[ " ${missing[*]} " == *":i386 "* && " $(dpkg --print-foreign-architectures | tr '\n' ' ') " != *" i386 "* ]]; then
  $SUDO dpkg --add-architecture i386
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
