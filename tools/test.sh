#!/usr/bin/env bash
# Builds everything and runs every test: the model natively (plain, under
# AddressSanitizer and UndefinedBehaviorSanitizer, for its coverage report,
# and its fuzzer), then both Windows programs, their tests under Wine in a
# virtual display, and their release zips.
# Ends with one line: "N passed, N failed, N skipped".
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

tools/install-deps.sh all || { echo "0 passed, 1 failed"; exit 1; }

# Windows need a display: without one, run everything in a virtual one.
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi

# One Wine prefix for every test, made before any test runs. A kernel that
# cannot run 32-bit code gets them through qemu's i386 emulator.
. tools/wine-env.sh
kelvane_enable_win32_emulation
echo "=== Wine: 32-bit programs: $(kelvane_win32_mode); preparing the prefix $WINEPREFIX"
kelvane_wine_prefix

passed=0 failed=0 skipped=0
run_preset() {
  local preset=$1 log
  log=$(mktemp)
  echo "=== $preset: configure and build"
  if ! { cmake --preset "$preset" >"$log" 2>&1 && cmake --build --preset "$preset" -j "$(nproc)" >>"$log" 2>&1; }; then
    cat "$log"
    echo "=== $preset: BUILD FAILED"
    failed=$((failed + 1))
    rm -f "$log"
    return
  fi
  grep -E 'warning:' "$log" && echo "=== $preset: the build printed warnings"
  echo "=== $preset: test"
  # Windows tests share one display, where focus and activation are global:
  # one at a time.
  local jobs=$(nproc)
  [[ $preset == win* ]] && jobs=1
  ctest --preset "$preset" -j "$jobs" 2>&1 | tee "$log"
  local summary total bad skip
  summary=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1)
  if [ -z "$summary" ]; then
    echo "=== $preset: ctest printed no summary"
    failed=$((failed + 1))
  else
    bad=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$summary")
    total=$(sed -E 's/.* failed out of ([0-9]+).*/\1/' <<<"$summary")
    skip=$(grep -c -- '\*\*\*Skipped' "$log" || true)
    passed=$((passed + total - bad - skip))
    failed=$((failed + bad))
    skipped=$((skipped + skip))
  fi
  if [[ $preset == win* ]]; then
    echo "=== $preset: package"
    local zip="build/$preset/kelvane-1.0-$preset.zip" contents
    # The listing is read whole before it is compared: `unzip | grep -q`
    # can kill unzip with SIGPIPE, which pipefail reports as a failure.
    if cmake --build --preset "$preset" --target package >"$log" 2>&1 &&
       contents=$(unzip -Z1 "$zip" | sort | paste -sd ' ') &&
       [ "$contents" = "kelvane.exe readme.txt" ]; then
      echo "$zip: $contents"
      passed=$((passed + 1))
    else
      cat "$log"
      echo "=== $preset: PACKAGE FAILED (zip holds: ${contents:-nothing})"
      failed=$((failed + 1))
    fi
  fi
  rm -f "$log"
}

for preset in native coverage fuzz win64 win32; do
  run_preset "$preset"
  [ "$preset" = coverage ] && tools/coverage.sh
done

echo
echo "$passed passed, $failed failed, $skipped skipped"
[ "$failed" -eq 0 ]
