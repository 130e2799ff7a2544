#!/usr/bin/env bash
# Kelvane's interface speed and size under Wine, each beside its floor,
# measured in the same run:
#   keystroke  a typed digit / a written text in the length box until the
#              result box holds the new result, against an edit box whose
#              change writes another (and the same with a spin on the input);
#   start      CreateProcess until the first result is on screen, against a
#              one-control dialog program linked the same way (median of N);
#   size       the executable, and each process's memory once started.
# Usage: tools/perf.sh [runs=7] [win64|win32] [build-dir]     (needs an X display)
# Another build's program and keystroke measurement can be put beside the same
# floors with KELVANE_EXE=... and KEYSTROKE_BENCH=...
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
runs=${1:-7}
arch=${2:-win64}
build=${3:-$root/build/$arch}
. "$root/tools/wine-env.sh"
[ -n "${DISPLAY:-}" ] || { echo "no X display: run under xvfb-run -a" >&2; exit 1; }
kelvane_wine_prefix "$arch"
wine=$(kelvane_wine "$arch")

kelvane=${KELVANE_EXE:-$build/kelvane.exe}
bench=${KEYSTROKE_BENCH:-$build/bench/win/keystroke_bench.exe}
empty=$build/bench/win/empty_dialog.exe
start=$build/bench/win/kelvane_start.exe
winpath() { local p; p=$(readlink -f "$1"); echo "Z:${p//\//\\}"; }
field() { sed -nE "s/.*$1=([0-9.]+).*/\\1/p" <<<"$2"; }
median() { sort -n | awk '{v[NR]=$1} END {print v[int((NR+1)/2)]}'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN {printf "%.2f", a / b}'; }
run() { "$wine" "$@" </dev/null 2>/dev/null | tr -d '\r'; }

keys=$(run "$bench" 2000) || { echo "$keys"; exit 1; }
typed=$(grep '^keystroke' <<<"$keys")
written=$(grep '^settext' <<<"$keys")

k_ms=() e_ms=() k_line="" e_line=""
for _ in $(seq "$runs"); do
  # Alternating, so both see the same machine.
  k_line=$(run "$start" "$(winpath "$kelvane")" kelvane) || { echo "$k_line"; exit 1; }
  e_line=$(run "$start" "$(winpath "$empty")" empty) || { echo "$e_line"; exit 1; }
  k_ms+=("$(field ready_ms "$k_line")")
  e_ms+=("$(field ready_ms "$e_line")")
done
k_start=$(printf '%s\n' "${k_ms[@]}" | median)
e_start=$(printf '%s\n' "${e_ms[@]}" | median)
k_size=$(stat -c %s "$kelvane")
e_size=$(stat -c %s "$empty")

echo "Kelvane $arch ($kelvane) under $("$wine" --version 2>/dev/null), $(date -u '+%Y-%m-%d %H:%M UTC')"
row() { printf '%-34s %12s %12s %7s %6s\n' "$@"; }
row "" Kelvane floor ratio goal
for line in "$typed" "$written"; do
  label="typed digit to result (us)"
  [[ $line == settext* ]] && label="written text to result (us)"
  row "$label" "$(field program_us "$line")" "$(field floor_us "$line")" \
    "$(ratio "$(field program_us "$line")" "$(field floor_us "$line")")" "1.5"
  row "  floor with a spin on its box (us)" "" "$(field floor_with_spin_us "$line")" "" ""
done
row "cold start to result (ms, median)" "$k_start" "$e_start" "$(ratio "$k_start" "$e_start")" "1.2"
row "  every run (ms)" "$(IFS=/; echo "${k_ms[*]}")" "$(IFS=/; echo "${e_ms[*]}")" "" ""
row "executable (bytes)" "$k_size" "$e_size" "$(ratio "$k_size" "$e_size")" ""
row "working set once shown (KB)" "$(field working_set_kb "$k_line")" "$(field working_set_kb "$e_line")" \
  "$(ratio "$(field working_set_kb "$k_line")" "$(field working_set_kb "$e_line")")" ""
row "private memory (KB)" "$(field private_kb "$k_line")" "$(field private_kb "$e_line")" \
  "$(ratio "$(field private_kb "$k_line")" "$(field private_kb "$e_line")")" ""
