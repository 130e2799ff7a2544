#!/usr/bin/env bash
# Kelvane used as a person would: the real program in its own process, driven
# by the X pointer and keyboard (xdotool), its form read back after each step
# by tests/e2e/kelvane_probe. Expected results are the worked examples of the
# model's tests. With OPS, a soak instead: OPS random operations, then the
# program must still be alive, compute, hold as many windows as before and
# about as much memory.
# Usage: tools/e2e.sh [win64|win32] [OPS [SEED]]
#   KELVANE_BUILD: the build directory (default build/ARCH)
#   KELVANE_PROBE: the x86_64 probe (default build/win64/tests/e2e/kelvane_probe.exe)
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
arch=${1:-win64} ops=${2:-0} seed=${3:-$RANDOM}
build=${KELVANE_BUILD:-$root/build/$arch}
probe_exe=${KELVANE_PROBE:-$root/build/win64/tests/e2e/kelvane_probe.exe}
. "$root/tools/wine-env.sh"
[ "$arch" = win64 ] || kelvane_can_run_win32 || { echo "SKIP: this machine cannot run 32-bit programs"; exit 77; }
[ -n "${DISPLAY:-}" ] || exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
for f in "$build/kelvane.exe" "$probe_exe"; do [ -f "$f" ] || { echo "$f is not built"; exit 1; }; done
kelvane_wine_prefix "$arch"
# Where qemu runs 32-bit code, each start of the i686 program takes about a minute.
start_ms=30000
[ "$arch" = win32 ] && [ "$(kelvane_win32_mode)" = emulated ] && start_ms=400000

log=$(mktemp) pid=""
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null; rm -f "$log"' EXIT
probe() {  # Wine's console ends lines with CR LF
  local out rc
  out=$("$(kelvane_wine win64)" "$probe_exe" "$@" </dev/null); rc=$?
  [ -z "$out" ] || echo "${out//$'\r'/}"
  return $rc
}
n=0
fail() { echo "FAIL at step $n: $*"; cat "$log"; exit 1; }
check() { n=$((n + 1)); probe expect "$@" || fail "$*"; echo "ok $n: $*"; }
click() { xdotool mousemove ${at[$1]} click 1; }
key() { xdotool key --delay 30 "$@"; }
put() { click "$1"; key End BackSpace BackSpace BackSpace BackSpace; xdotool type --delay 40 "$2"; }
# Clicks along the tab row until the page shows: no tab's place is known beforehand.
tab() {
  local x x0 x1 y
  read -r x0 x1 y <<<"${at[tab_row]}"
  for ((x = x0; x < x1; x += 12)); do
    xdotool mousemove $x $y click 1
    probe expect --timeout=700 page="$1" >/dev/null && return
  done
}
# The program ends by itself with exit code 0 and leaves no window.
ended() {
  local rc=0
  wait "$pid" || rc=$?
  pid=""
  [ "$rc" -eq 0 ] || fail "Kelvane ended with exit code $rc"
  check running=0
  [ -z "$(xdotool search --name Kelvane 2>/dev/null)" ] || fail "a Kelvane window is left"
}

probe expect --timeout=0 running=0 >/dev/null || { echo "another Kelvane is running on $DISPLAY"; exit 1; }
"$(kelvane_wine "$arch")" "$build/kelvane.exe" </dev/null >"$log" 2>&1 &
pid=$!
check --timeout=$start_ms title=Kelvane dialog= page=calculate length=120 size=650 "disc=1 CD" \
  "sound=128 kBit/sec, Stereo - 16kb/sec" result=611.56 focus=exit
declare -A at
while read -r name where; do at[$name]=$where; done < <(probe map)
xdotool mousemove ${at[result]}  # keys reach Wine only while the pointer is over its window

if [ "$ops" -gt 0 ]; then
  before=$(probe counts) || fail "the program cannot be counted"
  RANDOM=$seed
  odd=("-5" "1e400" "666" " 12abc" "0.5" "4a5" "nan" "0x1A" "$(printf '9%.0s' {1..3000})" "" "+7" "é€")
  places=(length size discs sound result length_up length_down size_up size_down)
  keys=(Up Down Home End Prior Next Left Right BackSpace Delete Return space a minus period)
  for ((i = 0; i < ops; i++)); do
    case $((RANDOM % 6)) in
      0 | 1) click "${places[RANDOM % ${#places[@]}]}" ;;
      2) read -r x0 x1 y <<<"${at[tab_row]}"; xdotool mousemove $((x0 + RANDOM % (x1 - x0))) $y click 1 ;;
      3) xdotool type --delay 20 "$((RANDOM % 1000))" ;;
      4) key "${keys[RANDOM % ${#keys[@]}]}" ;;
      5) ((RANDOM % 4)) || probe clip "${odd[RANDOM % ${#odd[@]}]}"; key ctrl+v ;;
    esac
  done
  check running=1
  tab calculate
  # Still computing: 90 minutes, one CD, 128 kbit/s (the list dropped and chosen with keys).
  put length 90
  put size 650
  click sound && key Home Down Down Down Down Down Return
  check length=90 size=650 "sound=128 kBit/sec, Stereo - 16kb/sec" result=858.07
  after=$(probe counts) || fail "the program cannot be counted"
  printf 'before and after %s operations (seed %s):\n%s\n%s\n' "$ops" "$seed" "$before" "$after"
  count() { awk -v k="$1" '$1 == k { print $2 }' <<<"$2"; }
  [ "$(count windows "$after")" -eq "$(count windows "$before")" ] || fail "windows piled up"
  # Wine's caches grow by about 2.5 MB in the first hundred operations, then stay.
  growth=$(($(count pagefile_kb "$after") - $(count pagefile_kb "$before")))
  [ "$growth" -le $((4096 + ops / 2)) ] || fail "private memory grew by $growth KB"
  echo "Wine counts no drawing objects (GetGuiResources answers 0): their leaks cannot be seen here"
  click exit
  ended
  echo "PASS: soak of $ops operations"
  exit 0
fi

# Tab walks the form and comes back to Exit; Enter on About opens the box, Escape closes it.
for f in length discs size sound result about; do key Tab; check focus=$f; done
key Return; check "dialog=About Kelvane"
key Escape; check dialog= title=Kelvane focus=about
key Tab; check focus=exit
# List rows chosen with keys.
key Tab Tab Down; check focus=discs "disc=2 CDs" size=1300 result=1351.1
key Up; check "disc=1 CD" size=650 result=611.56
key Tab Tab Home; check focus=sound "sound=320 kBit/sec, Stereo - 40kb/sec" result=419.56
key End; check "sound=56 kBit/sec, Stereo - 7kb/sec" result=683.56
key Up Up Up Up; check "sound=128 kBit/sec, Stereo - 16kb/sec" result=611.56
# Typing, Enter (does nothing: the window stays and takes the next key) and the arrows.
put length 90; check focus=length length=90 result=858.07
key Return Up; check title=Kelvane length=91 result=847.24
key Down; check length=90 result=858.07
put length 4x5; check length=45 result=1844.1  # the box refuses the letter
put length 5000; check length=500 result=49.493  # and takes three digits
put length 100
put size 9000
key Tab End; check length=100 size=9000 "disc=1 CD" "sound=56 kBit/sec, Stereo - 7kb/sec" result=12232
# The pages keep their values.
tab help; check page=help
tab calculate; check page=calculate length=100 size=9000 result=12232
# About from a click, closed with Enter.
click about; check "dialog=About Kelvane"
key Return; check dialog= title=Kelvane result=12232
put length 666; check length=120 "result=Try Again!"
# Escape in a box ends the program, like Exit.
key Escape
ended
echo "PASS: $n steps"
