#!/usr/bin/env bash
# kelvane-calc's stdout / exit code / count of stderr lines per input; then --table against single calls.
calc=$1 fails=0
check() {  # check EXIT STDOUT ARGS...: a bad input (exit 2) prints nothing but two lines on stderr
  local got="$("$calc" "${@:3}" 2>/dev/null) / $? / $("$calc" "${@:3}" 2>&1 >/dev/null | wc -l)"
  [ "$got" = "$2 / $1 / $((($1 == 2) * 2))" ] || { echo "FAILED: kelvane-calc ${*:3}: $got"; fails=1; }
}
while IFS='|' read -r code out args; do check "$code" "$out" $args; done <<'END'
0|611.56|
0|419.56|--audio 320 --cds 1 --length 120
0|1351.1|--cds 2
0|1351.1|--mb 01300 --length 0120
0|12232|--mb 9000 --audio 56 --length 100
0|10000.|--length 39 --mb 2893
1|Can't!|--length -5
1|Whoa!|--length 501
1|Try Again!|--length 666
1|Can't|--mb 0
END
for n in 3 4; do check 0 1351.1 --cds $n --length $((n * 60)); done  # n CDs over n hours: one CD over one
for bad in --foo --length "--cds 5" "--cds 01" "--audio 100" "--audio 0128" "--cds 1 --mb 650" \
  "--mb 1 --mb 1" "--table --audio 128" "--table --cds 1" "--table --mb 650"; do check 2 "" $bad; done
# Each cell is the single call's answer; at 500 minutes numbers and "Can't" mix.
table=$("$calc" --table --length 500) || { echo "FAILED: --table exit $?"; fails=1; }
want=$(for a in 320 256 224 192 160 128 112 96 64 56; do
  echo $a $(for n in 1 2 3 4; do "$calc" --length 500 --audio $a --cds $n; done); done)
[[ $(tail -n +2 <<<"$table" | awk '{$1 = $1} 1') == "$want" && ${table%%$'\n'*} == *1*2*3*4* ]] ||
  { printf 'FAILED: --table gave\n%s\nnot a header 1 to 4 over\n%s\n' "$table" "$want"; fails=1; }
exit $fails
