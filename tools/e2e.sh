#!/usr/bin/env bash
# Kelvane used as a person would: the real program in its own process, driven
# by the X pointer and keyboard (xdotool), read back after each step by the
# probe. Every expected text is worked out from the bitrate rule
#   (target KB - sound KB/s x seconds) / seconds x 8, five significant digits.
# Usage: tools/e2e.sh [win64|win32] [build-dir]    (needs an X display)
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
arch=${1:-win64}
build=${2:-$root/build/$arch}
kelvane_emulated_ok=1
. "$root/tools/e2e-common.sh"

point() { probe point "$@"; }

# Presses the left button on a control the probe located on screen.
click() {
  local at
  at=$(point "$@") || return 1
  xdotool mousemove $at click 1
}

# Clicks into a box, deletes what it holds and types the keys.
type_into() {
  click "$1" || return 1
  xdotool key --delay 20 End BackSpace BackSpace BackSpace BackSpace BackSpace
  xdotool type --delay 40 "$2"
}

# Drops a list and clicks a row, rolling the wheel until the row shows.
choose() {
  click "$1" || return 1
  local where
  for _ in $(seq 50); do
    where=$(point row "$2" 2>/dev/null) && break
    case "$where" in
      above) xdotool mousemove $(point list) click 4 ;;
      below) xdotool mousemove $(point list) click 5 ;;
      "") ;;  # not dropped yet
      *) return 1 ;;
    esac
    sleep 0.2
  done
  click row "$2"
}

start() { kelvane_start; }
exit_program() { click exit; }

# One step a line: what the user does | what the form shows afterwards.
steps=(
  "start                  | running=1 page=calculate tab=0 length=120 size=650 discs=0 audio=5 result=611.56"
  "choose discs 1         | discs=1 size=1300 result=1351.1"     # 2 CDs: (1331200-16*7200)/7200*8
  "choose discs 0         | discs=0 size=650 result=611.56"
  "type_into length 90    | length=90 result=858.07"            # (665600-16*5400)/5400*8
  "type_into length 4x5   | length=45 result=1844.1"            # the box refuses the letter
  "type_into length 1234  | length=123 result=593.52"           # three digits at most
  "type_into length 120   | length=120 result=611.56"
  "click length-up        | length=121 result=605.44"           # (665600-16*7260)/7260*8
  "click length-down      | length=120 result=611.56"
  "click length-down      | length=119 result=617.77"           # (665600-16*7140)/7140*8
  "type_into length 500   | length=500 result=49.493"
  "click length-up        | length=500 result=49.493"           # the spin stops at 500
  "type_into length 1     | length=1 result=88619"              # 88618.67, five digits, no point
  "click length-down      | length=1 result=88619"              # and at 1
  "type_into length 100   | length=100 result=759.47"
  "type_into size 9000    | size=9000 discs=0 result=12160"     # (9216000-16*6000)/6000*8 = 12160 exactly
  "click size-up          | size=9000 result=12160"             # the spin stops at 9000
  "click size-down        | size=8999 result=12159"             # (9214976-96000)/6000*8 = 12158.63
  "type_into size 0       | size=0 result=Can't"
  "choose discs 0         | size=650 discs=0 result=759.47"
  "type_into length 120   | length=120 result=611.56"
  "choose audio 0         | audio=0 result=419.56"              # 320 kbit/s: (665600-40*7200)/7200*8
  "choose audio 9         | audio=9 result=683.56"              # 56 kbit/s: (665600-7*7200)/7200*8
  "click tab-help         | page=help tab=1 helplen=1154"
  "click tab-help         | page=help tab=1"                    # the selected tab again: nothing
  "click tab-calculate    | page=calculate tab=0 length=120 size=650 discs=0 audio=9 result=683.56"
  "click about            | about=1"
  "click about-ok         | about=0 length=120 result=683.56"
  "type_into length 0     | length=0 result=Can't!"
  "type_into length 666   | length=120 result=Try Again!"        # the special length: back to 120
  "click length-up        | length=121 result=677.44"           # still 56 kbit/s: (665600-7*7260)/7260*8
  "exit_program           | running=0"
)

failed=0
n=0
for step in "${steps[@]}"; do
  n=$((n + 1))
  action=$(sed -E 's/ *\|.*//' <<<"$step")
  expected=$(sed -E 's/^[^|]*\| *//' <<<"$step")
  # shellcheck disable=SC2086
  if ! $action; then
    echo "step $n FAILED: could not do \"$action\""
    failed=1
    break
  fi
  # key=value pairs; a value may hold blanks ("Try Again!") but no "=".
  pairs=()
  while [[ $expected =~ ^(.+)[[:space:]]+([a-z]+=[^=]*)$ ]]; do
    pairs=("${BASH_REMATCH[2]}" "${pairs[@]}")
    expected=${BASH_REMATCH[1]}
  done
  pairs=("$expected" "${pairs[@]}")
  timeout=15000
  [ "$n" -eq 1 ] && timeout=$kelvane_start_ms
  if probe expect "${pairs[@]}" --timeout=$timeout; then
    echo "step $n ok: $action -> ${pairs[*]}"
  else
    echo "step $n FAILED: $action -> ${pairs[*]}"
    failed=1
    break
  fi
done

if [ "$failed" -eq 0 ]; then
  if kelvane_wait; then
    echo "Kelvane ended with exit code 0"
  else
    echo "FAILED: Kelvane ended with exit code $?"
    failed=1
  fi
  if probe gone && [ -z "$(xdotool search --name 'Kelvane' 2>/dev/null)" ]; then
    echo "no Kelvane window is left"
  else
    echo "FAILED: a Kelvane window is left behind"
    failed=1
  fi
fi
[ "$failed" -eq 0 ] && echo "PASS: $n steps" || cat "$kelvane_log"
exit "$failed"
