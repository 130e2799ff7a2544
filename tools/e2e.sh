#!/usr/bin/env bash
# Kelvane used as a person would: the real program ($KELVANE_BUILD, else build/ARCH) driven by the X pointer and
# keyboard (xdotool), read back after each step by kelvane_probe ($KELVANE_PROBE, the win64 build's); with dpi
# (win64), its layout at 96 to 192 DPI. Usage: tools/e2e.sh [win64|win32] [dpi]
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
arch=${1:-win64} mode=${2:-}
exe=${KELVANE_BUILD:-$root/build/$arch}/kelvane.exe
probe_exe=${KELVANE_PROBE:-$root/build/win64/tests/e2e/kelvane_probe.exe}
. "$root/tools/wine-env.sh"
[ "$arch" = win64 ] || kelvane_can_run_win32 || { echo "SKIP: this machine cannot run 32-bit programs"; exit 77; }
[ -n "${DISPLAY:-}" ] || exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
[ -f "$probe_exe" ] || { echo "no probe at $probe_exe: build the win64 preset first (its probe reads every arch)"; exit 1; }
ls "$exe" >/dev/null && kelvane_wine_prefix "$arch" || exit 1
start_ms=$([ "$arch" = win32 ] && [ "$(kelvane_win32_mode)" = emulated ] && echo 400000 || echo 30000)  # qemu: minutes

log=$(mktemp) pid="" n=0 && declare -A at
trap '[ -z "$pid" ] || kill "$pid" 2>/dev/null; rm -f "$log" "$log.exe"' EXIT
probe() { "$(kelvane_wine win64)" "$probe_exe" "$@" </dev/null | tr -d '\r'; }
fail() { echo "FAIL at step $n: $*"; cat "$log"; exit 1; }
check() { n=$((n + 1)); probe expect "$@" || fail "$*"; echo "ok $n: $*"; }  # "unchanged": after an input that shows
click() { xdotool mousemove ${at[$1]:-$(probe get "at:$1")} click 1; }
key() { xdotool key --delay 30 "$@"; }
put() { click "$1"; key End BackSpace BackSpace BackSpace BackSpace; xdotool type --delay 40 "$2"; }
clicks() { local arrow && for arrow in "${@:2}"; do click "$1_$arrow"; done; }  # clicks SPIN up|down...
tab() {  # clicks along the tab row until the page shows: no tab's place is known beforehand
  local x x0 x1 y && read -r x0 x1 y <<<"${at[tab_row]}"
  for ((x = x0; x < x1; x += 12)); do xdotool mousemove $x $y click 1 && probe expect --timeout=700 page="$1" >/dev/null && return; done
}
start() {  # the program $1: its form as it opens, and where its controls are
  "$(kelvane_wine "$arch")" "$1" </dev/null >>"$log" 2>&1 & pid=$!
  check --timeout=$start_ms running=1 dialog= page=calculate length=120 size=650 "discs=1 CD" \
    "sound=128 kBit/sec, Stereo - 16kb/sec" result=611.56 focus=exit
  mapfile -t points < <(probe get "${names[@]/#/at:}") && for i in "${!names[@]}"; do at[${names[i]}]=${points[i]}; done
  xdotool mousemove ${at[result]}  # keys reach Wine only while the pointer is over its window
}
ended() {  # by itself, with an exit code that passes the test $1, leaving no window
  check running=0; wait "$pid"; local code=$?; pid=""; [ $code $1 ] || fail "Kelvane ended with exit code $code"
  [ -z "$(xdotool search --name Kelvane)" ] || fail "a Kelvane window is left"
}
shot() {  # the window titled $1, once painted, into build/dpi/$2.png
  local png=$root/build/dpi/$2.png && sleep 0.5 && import -window "$(xdotool search --name "^$1\$")" "$png" &&
    echo "$png: $(identify -format %wx%h "$png")"
}

probe expect --timeout=0 running=0 >/dev/null || { echo "another Kelvane is running on $DISPLAY"; exit 1; }
names=(exit about tab_row length discs size sound result length_spin_up length_spin_down size_spin_up size_spin_down)
if [ "$mode" = dpi ]; then  # each DPI in a prefix of its own, made once: Wine's server reads it as it starts
  base=$WINEPREFIX && mkdir -p "$root/build/dpi"
  for dpi in 96 120 144 192; do
    export WINEPREFIX=$base-dpi$dpi  # a copy of the tests' prefix: wineboot takes minutes where qemu runs 32-bit code
    [ -f "$WINEPREFIX/.kelvane-dpi" ] || { rm -rf "$WINEPREFIX" && WINEPREFIX=$base wineserver -w && cp -a "$base" "$WINEPREFIX" &&
      "$(kelvane_wine win64)" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d $dpi /f </dev/null >/dev/null 2>&1 &&
      wineserver -w && touch "$WINEPREFIX/.kelvane-dpi"; } || exit 1
    start "$exe" && shot Kelvane main-$dpi && click about  # each label, button and icon fits, box included
    check "dialog=About Kelvane" "layout=16 fit at $dpi DPI" && shot "About Kelvane" about-$dpi
    key Escape; check dialog= && click result && key Escape && ended "-eq 0"  # Escape from the form ends it
  done
  echo "PASS: $n steps at 96, 120, 144 and 192 DPI" && exit 0
fi
start "$exe"  # each input follows its label in z-order: a screen reader's name for it
check "label:length=Enter the length (min):" "label:discs=Enter the file size:" label:size=MB \
  "label:sound=Choose the sound quality:" "label:result=Please encode the video at:"

# About closed by a click on its OK keeps the focus, not the default look: Enter opens the box again (before any
# Tab, which would give it that look). Enter in the box presses its OK. Tab walks the form round to About.
click about; check "dialog=About Kelvane"; click about_ok; check dialog= focus=about
key Return; check "dialog=About Kelvane"; key Return; check dialog= focus=about
for f in exit length discs size sound result about; do key Tab; check focus=$f; done
# Rows chosen with keys; typing, Enter (the window stays, takes the next key), the spins' ends, the read-only result.
key Tab Tab Tab Down; check focus=discs "discs=2 CDs" size=1300 result=1351.1
key Up Tab Tab End; check focus=sound "discs=1 CD" size=650 "sound=56 kBit/sec, Stereo - 7kb/sec" result=683.56
put length 4x5; check focus=length length=45  # the box refuses the letter
put length 4990; key Return Up Up Down Down; check dialog= length=498  # and takes three digits; the spin stops at 500
put length 666; check length=120 "result=Try Again!" focus=length  # the length put back is selected,
xdotool type 9; check length=9 result=9804.7                         # so the next digit replaces it
key alt+space Up Return; check "dialog=About Kelvane"; key Escape; check dialog= focus=length  # About from the window menu
put length 3; key Down Down Down Up; check length=2 result=44317  # the spin stops at 1; its buddy is the box
click length_spin_up; check length=3 result=29526; clicks length_spin down down; check length=1 result=88691
put size 3 && clicks size_spin down down down up; check size=2 result=217.07
put length 100 && put size 1x23456; check size=1234 result=1628.8  # no letter, no fifth digit
key Up; check size=1235 result=1630.2; key Down Down; check size=1233 result=1627.5
put size 8998 && clicks size_spin up up up down; check size=8999 result=12231
put size 9000; check length=100 size=9000 result=12232
click result && xdotool type 555 && key BackSpace Delete Tab; check focus=about result=12232
# After a click on the shown tab keys select no other; a click on a tab shows its page, focused, values kept.
tab calculate; check page=calculate focus=tabs
key Left Home End Right Tab; check page=calculate focus=about  # Tab: the keys before it are handled
tab help; check page=help focus=help help_sel=0,0 help_line=0  # the help text, to be read by keys
key Next Next Next; check help_line!=0; key ctrl+Home; check help_line=0
tab calculate; check page=calculate focus=length length=100 size=9000 result=12232
# Typing into the help text changes none of its bytes (4017728014: FNV-1a of the help text as written); Tab moves
# on from it; Escape in it ends the program.
tab help && click help && xdotool type --delay 40 "abc 12" && key BackSpace Delete Return Tab
check focus=about hash:help=4017728014 && click help && key Escape && ended "-eq 0"
[ "$arch" = win64 ] || { echo "PASS: $n steps" && exit 0; }  # then a start that cannot open its window says so
probe strip "$exe" "$log.exe" || fail "no copy of the program without its resources"
"$(kelvane_wine win64)" "$log.exe" </dev/null >>"$log" 2>&1 & pid=$!
check --timeout=$start_ms running=1 "message=Kelvane could not open its window."
click message && key Return && ended "-ne 0" && echo "PASS: $n steps"
