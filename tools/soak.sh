#!/usr/bin/env bash
# Leaves Kelvane running under random operations sent to its form (texts of
# every kind, pastes, list rows including impossible ones, spin and tab
# clicks, keystrokes), checking the form after each, then checks that the
# program is alive, has not piled up window-system objects, and exits cleanly.
# Usage: tools/soak.sh [ops=10000] [seed=random] [win64|win32] [build-dir]
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
ops=${1:-10000}
seed=${2:-$(( (RANDOM << 15) | RANDOM ))}
arch=${3:-win64}
build=${4:-$root/build/$arch}
. "$root/tools/e2e-common.sh"

kelvane_start
rc=0
probe soak "$ops" "$seed" || rc=1
if [ "$rc" -eq 0 ]; then
  # Exit, as a user would end it after all that.
  at=$(probe point exit) && xdotool mousemove $at click 1
  if kelvane_wait; then
    echo "Kelvane ended with exit code 0"
  else
    echo "FAIL: Kelvane ended with exit code $?"
    rc=1
  fi
fi
[ "$rc" -eq 0 ] || { echo "seed $seed"; cat "$kelvane_log"; }
exit "$rc"
