#!/usr/bin/env bash
# Line and branch coverage of model/ by its tests. Run after the coverage
# preset's tests (tools/test.sh does both); prints lcov's summary and fails
# when fewer than 99% of the lines ran.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=$root/build/coverage
rc=(--rc lcov_branch_coverage=1 --rc geninfo_no_exception_branch=1)
lcov -q "${rc[@]}" --capture --directory "$dir" --output-file "$dir/all.info" 2>/dev/null
# The layers' headers are compiled through their published folders (build/include).
lcov -q "${rc[@]}" --extract "$dir/all.info" "$root/model/*" "$root/base/*" "*/include/kelvane_model/model/*" \
  "*/include/kelvane_base/base/*" --output-file "$dir/model.info" 2>/dev/null
summary=$(lcov "${rc[@]}" --summary "$dir/model.info" 2>&1 | grep -E 'lines|branches')
echo "Coverage of model/ by its tests:"
echo "$summary"
genhtml -q "${rc[@]}" --output-directory "$dir/html" "$dir/model.info" >/dev/null 2>&1 &&
  echo "Report: $dir/html/index.html"
lines=$(sed -nE 's/.*lines[^:]*: *([0-9.]+)%.*/\1/p' <<<"$summary")
awk -v p="${lines:-0}" 'BEGIN { exit !(p >= 99) }' || { echo "FAIL: line coverage ${lines:-unknown}% is below 99%"; exit 1; }
