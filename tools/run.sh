#!/usr/bin/env bash
# Builds Kelvane and starts it under Wine. With no display it starts it in a
# virtual one, saves a screenshot of the window, says where, and closes it.
# Usage: tools/run.sh [screenshot.png]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

tools/install-deps.sh windows
. tools/wine-env.sh

# The product is the 32-bit program; a kernel that cannot run 32-bit code
# natively (no IA32 emulation) gets the 64-bit build instead.
arch=win32
[ "$(kelvane_win32_mode)" = native ] ||
  { arch=win64; [ -n "${KELVANE_IN_XVFB:-}" ] || echo "This machine cannot run 32-bit programs natively: starting the 64-bit build."; }
# The program alone: no tests, so no test framework is needed.
cmake --preset "$arch" -DKELVANE_TESTS=OFF >/dev/null
cmake --build --preset "$arch" -j "$(nproc)" --target kelvane >/dev/null
exe=build/$arch/kelvane.exe

# On a real display: just run it (KELVANE_HEADLESS=1 asks for the screenshot anyway).
if [ -n "${DISPLAY:-}" ] && [ -z "${KELVANE_HEADLESS:-}${KELVANE_IN_XVFB:-}" ]; then
  kelvane_wine_prefix "$arch"
  exec "$(kelvane_wine "$arch")" "$exe"
fi

shot=${1:-$root/build/kelvane.png}
if [ -z "${KELVANE_IN_XVFB:-}" ]; then
  KELVANE_IN_XVFB=1 exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$shot"
fi
kelvane_wine_prefix "$arch"
"$(kelvane_wine "$arch")" "$exe" </dev/null >/dev/null 2>&1 &
pid=$!
window=""
for _ in $(seq 1 100); do
  window=$(xdotool search --name '^Kelvane$' 2>/dev/null | head -n 1 || true)
  [ -n "$window" ] && break
  sleep 0.2
done
if [ -z "$window" ]; then
  echo "Kelvane's window did not appear." >&2
  kill "$pid" 2>/dev/null || true
  exit 1
fi
sleep 1.5  # let it paint
eval "$(xdotool getwindowgeometry --shell "$window")"
import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$shot"
echo "Screenshot of the running program: $shot"
# Escape is the main window's cancel command: it ends the program normally.
xdotool mousemove $((X + 10)) $((Y + 10)) windowfocus "$window" key Escape
wait "$pid" || true
wineserver -w
