#!/usr/bin/env bash
# Kelvane used as a person would: the real program driven by the X pointer and
# keyboard (xdotool), its form read back after each step by kelvane_probe. With
# OPS, a soak: OPS random operations, then the program must be alive, compute,
# and hold as many windows as before and about as much memory.
# Usage: tools/e2e.sh [win64|win32] [OPS [SEED]]; the programs: $KELVANE_BUILD
# (build/ARCH) and $KELVANE_PROBE (the win64 build's).
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
arch=${1:-win64} ops=${2:-0} seed=${3:-$RANDOM}
exe=${KELVANE_BUILD:-$root/build/$arch}/kelvane.exe
probe_exe=${KELVANE_PROBE:-$root/build/win64/tests/e2e/kelvane_probe.exe}
. "$root/tools/wine-env.sh"
[ "$arch" = win64 ] || kelvane_can_run_win32 || { echo "SKIP: this machine cannot run 32-bit programs"; exit 77; }
[ -n "${DISPLAY:-}" ] || exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
ls "$exe" "$probe_exe" >/dev/null && kelvane_wine_prefix "$arch" || exit 1
start_ms=30000  # where qemu runs 32-bit code, the i686 program takes minutes to start
[ "$arch" = win32 ] && [ "$(kelvane_win32_mode)" = emulated ] && start_ms=400000

log=$(mktemp) pid="" n=0
trap '[ -z "$pid" ] || kill "$pid"; rm -f "$log"' EXIT
probe() { "$(kelvane_wine win64)" "$probe_exe" "$@" </dev/null | tr -d '\r'; }
fail() { echo "FAIL at step $n: $*"; cat "$log"; exit 1; }
check() { n=$((n + 1)); probe expect "$@" || fail "$*"; echo "ok $n: $*"; }
click() { xdotool mousemove ${at[$1]} click 1; }
key() { xdotool key --delay 30 "$@"; }
put() { click "$1"; key End BackSpace BackSpace BackSpace BackSpace; xdotool type --delay 40 "$2"; }
tab() {  # clicks along the tab row until the page shows: no tab's place is known beforehand
  local x x0 x1 y
  read -r x0 x1 y <<<"${at[tabs]}"
  for ((x = x0; x < x1; x += 12)); do
    xdotool mousemove $x $y click 1 && probe expect --timeout=700 page="$1" >/dev/null && return
  done
}
ended() {  # by itself, with exit code 0, leaving no window
  check running=0
  wait "$pid" || fail "Kelvane ended with exit code $?"
  pid="" && [ -z "$(xdotool search --name Kelvane)" ] || fail "a Kelvane window is left"
}

probe expect --timeout=0 running=0 >/dev/null || { echo "another Kelvane is running on $DISPLAY"; exit 1; }
"$(kelvane_wine "$arch")" "$exe" </dev/null >"$log" 2>&1 &
pid=$!
check --timeout=$start_ms title=Kelvane dialog= page=calculate length=120 size=650 "disc=1 CD" \
  "sound=128 kBit/sec, Stereo - 16kb/sec" result=611.56 focus=exit
names=(exit about tabs length discs size sound result length_spin_up length_spin_down size_spin_up size_spin_down)
mapfile -t points < <(probe get "${names[@]/#/at:}")
declare -A at && for i in "${!names[@]}"; do at[${names[i]}]=${points[i]}; done
xdotool mousemove ${at[result]}  # keys reach Wine only while the pointer is over its window

if [ "$ops" -gt 0 ]; then
  odd=(-5 1e400 666 " 12abc" 0.5 4a5 nan 0x1A "$(printf '9%.0s' {1..3000})" "" +7 "é€")
  keys=(Up Down Home End Prior Next Left Right BackSpace Delete Return space a minus period)
  RANDOM=$seed
  for ((i = 0; i < ops; i++)); do  # counted from halfway, once Wine's (and qemu's) caches have filled
    ((i == ops / 2)) && mapfile -t before < <(probe get windows memory_kb drawing_objects)
    case $((RANDOM % 6)) in
      0 | 1) click "${names[3 + RANDOM % 9]}" ;;
      2) read -r x0 x1 y <<<"${at[tabs]}"; xdotool mousemove $((x0 + RANDOM % (x1 - x0))) $y click 1 ;;
      3) xdotool type --delay 20 "$((RANDOM % 1000))" ;;
      4) key "${keys[RANDOM % ${#keys[@]}]}" ;;
      5) ((RANDOM % 4)) || probe clip "${odd[RANDOM % ${#odd[@]}]}"; key ctrl+v ;;
    esac
  done
  check running=1
  tab calculate
  put length 90 && put size 650
  click sound && key Home Down Down Down Down Down Return  # the list dropped, a row chosen with keys
  check length=90 size=650 "sound=128 kBit/sec, Stereo - 16kb/sec" result=858.07
  mapfile -t after < <(probe get windows memory_kb drawing_objects)
  echo "over the last $((ops - ops / 2)) of $ops operations (seed $seed): windows ${before[0]} -> ${after[0]}, memory ${before[1]} -> ${after[1]} KB," \
    "drawing objects ${before[2]} -> ${after[2]} (Wine counts none: their leaks cannot be seen here)"
  [ "${after[0]}" -eq "${before[0]}" ] || fail "windows piled up"
  [ $((after[1] - before[1])) -le $((1024 + ops / 2)) ] || fail "memory grew too much"
  click exit && ended && echo "PASS: soak of $ops operations" && exit 0
fi

# Tab walks the form and back to Exit; Enter on About opens the box, Escape closes it.
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
put length 100 && put size 9000
key Tab End; check length=100 size=9000 "disc=1 CD" "sound=56 kBit/sec, Stereo - 7kb/sec" result=12232
# The pages keep their values.
tab help; check page=help
click sound && key Tab; check focus=about  # from the help text (where the sound list sits), Tab moves on
tab calculate; check page=calculate length=100 size=9000 result=12232
click about; check "dialog=About Kelvane"
key Return; check dialog= title=Kelvane result=12232 focus=about
key Return; check "dialog=About Kelvane"  # the clicked button has the focus back, if not the default look
key Escape; check dialog= focus=about
put length 666; check length=120 "result=Try Again!"
key Escape && ended && echo "PASS: $n steps"  # Escape in a box ends the program, like Exit
