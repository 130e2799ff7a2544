#!/usr/bin/env bash
# The whole number sweep on the i686 program's arithmetic (x87 at 53 bits):
# the win32 preset's sweep, under Wine, hashes the texts of every rounding tie
# and every result a typed input can give; the native preset's holds the same
# texts to glibc and hashes them too. Both run at once; the hashes must be
# equal. Needs the native and win32 builds. Usage: tools/x87-sweep.sh
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/tools/wine-env.sh"
kelvane_can_run_win32 || { echo "this machine cannot run 32-bit programs"; exit 1; }
kelvane_wine_prefix win32
native=$(mktemp) x87=$(mktemp)
trap 'rm -f "$native" "$x87"' EXIT
"$root/build/native/tests/model/kelvane_number_sweep" --all >"$native" &
"$(kelvane_wine win32)" "$root/build/win32/tests/win/kelvane_number_sweep.exe" --all </dev/null >"$x87" 2>&1
wait $!
checked=$?
echo "native:"; cat "$native"
echo "x87:"; cat "$x87"
hash() { sed -n 's/.*FNV-1a 64 \([0-9a-f]*\).*/\1/p' "$1"; }  # Wine ends lines with CR LF
[ $checked -eq 0 ] && [ -n "$(hash "$native")" ] && [ "$(hash "$native")" = "$(hash "$x87")" ] ||
  { echo "the texts differ, or the native sweep failed (${SECONDS} s)"; exit 1; }
echo "the same texts (${SECONDS} s)"
