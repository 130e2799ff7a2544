#!/usr/bin/env bash
# Kelvane's interface speed and size under Wine, each beside its floor,
# measured in the same run:
#   keystroke  a typed digit / a written text in the length box until the
#              result box holds the new result, against an edit box whose
#              change writes another (and the same with a spin on the input);
#   start      CreateProcess until the first result is on screen, against a
#              one-control dialog program linked the same way (median of N);
#   size       the executables, and each process's memory once started.
# Usage: tools/perf.sh [runs=7] [win64|win32] [build-dir]     (needs an X display)
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
runs=${1:-7}
arch=${2:-win64}
build=${3:-$root/build/$arch}
. "$root/tools/e2e-common.sh"

bench=$build/tests/e2e/keystroke_bench.exe
empty=$build/tests/e2e/empty_dialog.exe
winpath() { local p; p=$(readlink -f "$1"); echo "Z:${p//\//\\}"; }
field() { sed -nE "s/.*$1=([0-9.]+).*/\\1/p" <<<"$2"; }
median() { sort -n | awk '{v[NR]=$1} END {print v[int((NR+1)/2)]}'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN {printf "%.2f", a / b}'; }

probe gone >/dev/null || { echo "a Kelvane window is already open on $DISPLAY: close it first" >&2; exit 1; }

keys=$("$wine_loader" "$bench" 2000 </dev/null | tr -d '\r') || { echo "$keys"; exit 1; }
typed=$(grep '^keystroke' <<<"$keys")
written=$(grep '^settext' <<<"$keys")

k_ms=() e_ms=() k_line="" e_line=""
for _ in $(seq "$runs"); do
  # Alternating, so both see the same machine.
  k_line=$(probe start "$(winpath "$build/kelvane.exe")" kelvane) || { echo "$k_line"; exit 1; }
  e_line=$(probe start "$(winpath "$empty")" empty) || { echo "$e_line"; exit 1; }
  k_ms+=("$(field ready_ms "$k_line")")
  e_ms+=("$(field ready_ms "$e_line")")
done
k_start=$(printf '%s\n' "${k_ms[@]}" | median)
e_start=$(printf '%s\n' "${e_ms[@]}" | median)
k_size=$(stat -c %s "$build/kelvane.exe")
e_size=$(stat -c %s "$empty")

echo "Kelvane $arch under $("$wine_loader" --version 2>/dev/null), $(date -u '+%Y-%m-%d %H:%M UTC')"
printf '%-34s %12s %12s %7s %6s\n' "" Kelvane floor ratio goal
printf '%-34s %12s %12s %7s %6s\n' "typed digit to result (us)" "$(field program_us "$typed")" \
  "$(field floor_us "$typed")" "$(ratio "$(field program_us "$typed")" "$(field floor_us "$typed")")" "1.5"
printf '%-34s %12s %12s %7s %6s\n' "  floor with a spin on its box (us)" "" "$(field floor_with_spin_us "$typed")" "" ""
printf '%-34s %12s %12s %7s %6s\n' "written text to result (us)" "$(field program_us "$written")" \
  "$(field floor_us "$written")" "$(ratio "$(field program_us "$written")" "$(field floor_us "$written")")" "1.5"
printf '%-34s %12s %12s %7s %6s\n' "  floor with a spin on its box (us)" "" "$(field floor_with_spin_us "$written")" "" ""
printf '%-34s %12s %12s %7s %6s\n' "cold start to result (ms, median)" "$k_start" "$e_start" "$(ratio "$k_start" "$e_start")" "1.2"
printf '%-34s %12s %12s %7s %6s\n' "  every run (ms)" "$(IFS=/; echo "${k_ms[*]}")" "$(IFS=/; echo "${e_ms[*]}")" "" ""
printf '%-34s %12s %12s %7s\n' "executable (bytes)" "$k_size" "$e_size" "$(ratio "$k_size" "$e_size")"
printf '%-34s %12s %12s %7s\n' "working set once shown (KB)" "$(field working_set_kb "$k_line")" \
  "$(field working_set_kb "$e_line")" "$(ratio "$(field working_set_kb "$k_line")" "$(field working_set_kb "$e_line")")"
printf '%-34s %12s %12s %7s\n' "private memory (KB)" "$(field private_kb "$k_line")" \
  "$(field private_kb "$e_line")" "$(ratio "$(field private_kb "$k_line")" "$(field private_kb "$e_line")")"
