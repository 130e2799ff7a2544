#!/usr/bin/env bash
# kelvane-calc's stdout / exit code / stderr per input; --table against single calls; the help against the manual
# page; the install and the package. Usage: cli_test.sh KELVANE-CALC BUILD-FOLDER VERSION
calc=$1 build=$2 version=$3 fails=0 tmp=$(mktemp -d) hint="Try 'kelvane-calc --help' for more information."
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAILED: $*"; fails=1; }
check() {  # check EXIT STDOUT ARGS...; for exit 2, STDOUT is a part of the one line on stderr before the hint
  local got="$("$calc" "${@:3}" 2>"$tmp/err")|$?|$(paste -sd '#' "$tmp/err")"  # stdout|exit|stderr's lines
  if [ "$1" = 2 ]; then
    [[ $got == "|2|kelvane-calc: "*"$2"*"#$hint" && $got != *#*#* ]]
  else
    [ "$got" = "$2|$1|" ]
  fi || fail "kelvane-calc ${*:3}: $got"
}
# EXIT|STDOUT|ARGS, as the shell reads them; several lists of them apart by ';' give the same
while IFS='|' read -r code out lists && IFS=';' read -ra lists <<<"$lists"; do
  for args in "${lists[@]:-}"; do eval "check \"\$code\" \"\$out\" $args"; done
done <<'END'
0|611.56|
0|419.56|--audio 320 --cds 1 --length 120
0|1351.1|--cds 2; --mb 01300 --length 0120; --cds 3 --length 180; --cds 4 --length 240
0|12232|--mb 9000 --audio 56 --length 100
0|10000.|--length 39 --mb 2893
0|858.07|--length 90; --length=90; --length " 90"
1|Can't!|--length -5; --length=-5
1|Whoa!|--length 501
1|Try Again!|--length 666
1|Can't|--mb 0; --mb=; --mb ""
2|--foo|--foo
2|any text|--length
2|1, 2, 3 or 4|--cds 5; --cds 01
2|or 56|--audio 100; --audio 0128
2|--cds and --mb|--cds 1 --mb 650
2|twice|--mb 1 --mb 1
2|--length|--table --audio 128; --table --cds 1; --table --mb 650
2|takes no value|--table=x; --help=x
END
table=$("$calc" --table --length 500) || fail "--table exit $?"  # each cell the single call's; numbers and "Can't"
want=$(for a in 320 256 224 192 160 128 112 96 64 56; do
  echo $a $(for n in 1 2 3 4; do "$calc" --length 500 --audio $a --cds $n; done); done)
[[ $(tail -n +2 <<<"$table" | awk '{$1 = $1} 1') == "$want" && ${table%%$'\n'*} == *1*2*3*4* ]] ||
  fail "--table gave"$'\n'"$table"$'\n'"not a header 1 to 4 over"$'\n'"$want"
# The help and the version win over any other argument, even a wrong one.
help=$("$calc" --help) && [ -n "$help" ] && [ -z "$(awk 'length > 80' <<<"$help")" ] || fail "--help: $help"
for args in -h "--length 90 --help" "--cds 9 -h" "-h --table=x" --version "--mb 1 --version" "--version --foo"; do
  want="kelvane-calc $version" && [[ $args == *-h* ]] && want=$help  # -h or --help
  out=$("$calc" $args 2>"$tmp/err") && [ ! -s "$tmp/err" ] && [ "$out" = "$want" ] || fail "$args: $out"
done
# Installed, the program answers and its page passes the lint; the page's options are the help's.
cmake --install "$build" --prefix "$tmp/usr" >/dev/null && [ "$("$tmp/usr/bin/kelvane-calc")" = 611.56 ] || fail install
page=$tmp/usr/share/man/man1/kelvane-calc.1
[ -s "$page" ] && lint=$(groff -man -ww -z "$page" 2>&1) && [ -z "$lint" ] || fail "the installed page: $lint"
options=$(sed -n '/^\.SH OPT/,/^\.SH/{/^\.TP/{n;s/\\-/-/g;s/"//g;p}}' "$page" | sed -E 's/^\.[BIR]+ //; s/ +,? +/ /g')
[ -n "$options" ] && [ "$options" = "$(sed -nE 's/^  (-[^ ]*)(,? [A-Z-][^ ]*)? .*/\1\2/p' <<<"$help" | tr -d ,)" ] ||
  fail "the page's options: $options"
# The package: the program, the page and the copyright file with the About box's notice, named and versioned.
cpack --config "$build/CPackConfig.cmake" -B "$tmp" >/dev/null 2>&1 || fail cpack
deb=$(echo "$tmp"/*.deb) notice=$(sed -n 's/^#define KELVANE_NOTICE "\(.*\)"/\1/p' "$build/generated/res/version.h")
contents=$(dpkg-deb --contents "$deb" | awk '$6 !~ /\/$/ {print $6}' | paste -sd ' ')
[ "$contents" = "./usr/bin/kelvane-calc ./usr/share/doc/kelvane-calc/copyright ./usr/share/man/man1/kelvane-calc.1" ] &&
  [ "$(dpkg-deb -f "$deb" Package Version | paste -sd ' ')" = "Package: kelvane-calc Version: $version" ] &&
  [[ $(dpkg-deb --fsys-tarfile "$deb" | tar -xO ./usr/share/doc/kelvane-calc/copyright) == *"$notice"* ]] ||
  fail "the package holds $contents"
exit $fails
