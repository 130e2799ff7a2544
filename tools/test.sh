#!/usr/bin/env bash
# Builds everything and runs every test: the sources' layout, the model natively (plain and sanitized), both
# Windows programs with their tests under Wine in a virtual display, their zips. Ends "N passed, N failed, N skipped".
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
tools/install-deps.sh all || { echo "0 passed, 1 failed"; exit 1; }
[ -n "${DISPLAY:-}" ] || exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"

# One Wine prefix for every test, made first; qemu runs 32-bit code where the kernel cannot.
. tools/wine-env.sh
kelvane_enable_win32_emulation
echo "=== Wine: 32-bit programs: $(kelvane_win32_mode); preparing the prefix $WINEPREFIX"
kelvane_wine_prefix

passed=0 failed=0 skipped=0 version="" log=$(mktemp)
trap 'rm -f "$log"' EXIT
count() {  # count STATUS WHAT
  [ "$1" -eq 0 ] && passed=$((passed + 1)) || { failed=$((failed + 1)); echo "=== FAILED: $2"; }
}
echo "=== the sources' layout (.clang-format)"
find base model platform shell pages cli tests bench \( -name '*.h' -o -name '*.cpp' \) -print0 |
  xargs -0 clang-format-14 --dry-run -Werror 2>&1 | sed -nE 's/^([^:]+):[0-9]+:[0-9]+: error.*/\1: not formatted/p' |
  sort -u | tee "$log"
[ ! -s "$log" ]
count $? "formatting (clang-format-14 -i fixes the files named)"
for preset in native win64 win32; do
  echo "=== $preset: configure and build"
  # The presets make warnings errors; a linker's warning is caught here.
  { cmake --preset $preset && cmake --build --preset $preset -j "$(nproc)"; } >"$log" 2>&1 &&
    ! grep -i "warning:" "$log" || { cat "$log"; count 1 "$preset build (or its warnings)"; continue; }
  echo "=== $preset: test"
  # Windows tests share one display, where focus and the clipboard are global: one at a time.
  ctest --preset $preset -j "$([[ $preset == win* ]] && echo 1 || nproc)" 2>&1 | tee "$log"
  bad="" total=""
  read -r bad total < <(sed -nE 's/.* ([0-9]+) tests? failed out of ([0-9]+)$/\1 \2/p' "$log")
  skip=$(grep -c -- '\*\*\*Skipped' "$log")
  [ -n "${total:-}" ] || { count 1 "$preset: ctest printed no summary"; continue; }
  passed=$((passed + total - bad - skip)) failed=$((failed + bad)) skipped=$((skipped + skip))
  if [[ $preset == win* ]]; then
    version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/$preset/CMakeCache.txt)
    zip=build/$preset/kelvane-$version-$preset.zip
    rm -f "$zip"
    contents=$(cmake --build --preset $preset --target package >"$log" 2>&1 && unzip -Z1 "$zip" | sort | paste -sd ' ')
    echo "$zip holds: ${contents:-nothing}"
    [ "$contents" = "kelvane.exe readme.txt" ] || { cat "$log"; false; }
    count $? "the release zip $zip"
  fi
done

echo "=== the same sources give the same bytes: the i686 program and its zip built again in another folder"
# The tracked files with their times, so that a warm second build is incremental.
mkdir -p build/repro && git ls-files -z | tar -c --null -T - | tar -x -C build/repro &&
  (cd build/repro && cmake --preset win32 -DKELVANE_TESTS=OFF && cmake --build --preset win32 --target package) \
    >"$log" 2>&1 || cat "$log"
for file in kelvane.exe "kelvane-$version-win32.zip"; do
  sha256sum "build/win32/$file" "build/repro/build/win32/$file"
  cmp "build/win32/$file" "build/repro/build/win32/$file"
  count $? "$file from another folder"
done

echo
echo "$passed passed, $failed failed, $skipped skipped"
[ "$failed" -eq 0 ]
