#!/usr/bin/env bash
# ctest's emulator: runs one .exe under Wine. Usage: wine-run.sh win32|win64 program.exe [arguments]
# Wine's helper processes must not inherit ctest's pipes (ctest would wait for them): output goes
# through a temporary file.
set -u
. "$(dirname "$0")/wine-env.sh"
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi
arch=$1
shift
[ "$arch" = win64 ] || kelvane_can_run_win32 || { echo "this machine cannot run 32-bit programs: skipped"; exit 77; }
kelvane_wine_prefix "$arch"
if [ "${KELVANE_MONITORS:-1}" = 2 ]; then  # two 1024x768 monitors side by side: Xinerama heads, RandR off (README)
  wineserver -w  # a Wine server keeps the monitors it first saw: this run has its own, ended at exit
  coproc xephyr { exec Xephyr +xinerama -screen 1024x768 -screen 1024x768 -extension RANDR -displayfd 1 2>/dev/null; }
  read -r screen <&"${xephyr[0]}" && export DISPLAY=:$screen && trap "wineserver -k; kill $xephyr_PID" EXIT
fi
out=$(mktemp)
"$(kelvane_wine "$arch")" "$@" </dev/null >"$out" 2>&1
rc=$?
cat "$out"
rm -f "$out"
exit $rc
