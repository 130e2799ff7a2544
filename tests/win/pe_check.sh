#!/usr/bin/env bash
# Checks the built program: a GUI program with ASLR and DEP (high-entropy on 64-bit), within its size
# ceiling; the i686 one asks for no Windows newer than 95 and NT4, imports only what pe_imports.txt lists
# and holds no instruction newer than the Pentium Pro's.
# Usage: pe_check.sh objdump program.exe win32|win64
set -u
objdump=$1 exe=$2 arch=$3
header=$("$objdump" -p "$exe") || { echo "cannot read $exe"; exit 1; }
fail=0
field() { awk -v f="$1" '$1 == f { print $2; exit }' <<<"$header"; }

[ "$(field Subsystem)" = 00000002 ] || { echo "not a GUI program"; fail=1; }
flags=(DYNAMIC_BASE NX_COMPAT)
[ "$arch" = win64 ] && flags+=(HIGH_ENTROPY_VA)
for flag in "${flags[@]}"; do
  grep -qE "^\s+$flag\$" <<<"$header" || { echo "missing DllCharacteristics flag $flag"; fail=1; }
done

kib=200
[ "$arch" = win64 ] && kib=210
ceiling=$((kib * 1024))
size=$(stat -c %s "$exe")
[ "$size" -le "$ceiling" ] || { echo "$size bytes: over the ceiling of $ceiling"; fail=1; }

# Every import as DLL!function, the DLL's name upper-cased.
imports=$(awk '/^\tDLL Name: / { dll = toupper($3) } dll && /^\t[0-9a-f]+\t +[0-9]+ +[^ ]+$/ { print dll "!" $3 }
               /^$/ { dll = "" }' <<<"$header" | sort -u)
[ -n "$imports" ] || { echo "no imports found: cannot read the import table"; fail=1; }
dlls=$(cut -d'!' -f1 <<<"$imports" | sort -u)
bad_dlls=$(grep -vE '^(KERNEL32|USER32|GDI32|COMCTL32|WINMM|MSVCRT)\.DLL$' <<<"$dlls")
[ -z "$bad_dlls" ] || { echo "imports DLLs that are not part of Windows:" $bad_dlls; fail=1; }

# The manifest as built in (Wine shows none of its effects: every process is DPI aware there): DPI aware,
# no elevation, no visual styles (no dependency on common controls 6).
manifest=$("${objdump%objdump}strings" -n 8 "$exe" | sed -n '/<assembly /,/<\/assembly>/p')
for want in '<requestedExecutionLevel level="asInvoker" uiAccess="false"/>' '>true</dpiAware>'; do
  grep -qF "$want" <<<"$manifest" || { echo "the manifest lacks $want"; fail=1; }
done
! grep -q '<dependency' <<<"$manifest" || { echo "the manifest asks for visual styles"; fail=1; }

if [ "$arch" = win32 ]; then
  for part in OSystem Subsystem; do
    version=$(( $(field Major${part}Version) * 100 + $(field Minor${part}Version) ))
    [ "$version" -le 400 ] || { echo "$part version $version asks for more than Windows 95 and NT4"; fail=1; }
  done
  # The reviewed list: "DLL function function ..." per line.
  allowed=$(awk '!/^#/ && NF { for (i = 2; i <= NF; ++i) print toupper($1) "!" $i }' "$(dirname "$0")/pe_imports.txt" | sort -u)
  unreviewed=$(comm -23 <(echo "$imports") <(echo "$allowed"))
  [ -z "$unreviewed" ] || { echo "imports not in pe_imports.txt (review, then add):" $unreviewed; fail=1; }
  # Nothing above the Pentium Pro (cmov, fcomi and fcmov are its own): no MMX, 3DNow!, SSE or later, ours or
  # the toolchain's. GNU ld's PE script ends .text with data, the constructor and destructor lists (-1, the
  # constructors' addresses, 0; objdump shows each -1 as "(bad)"): the code ends there, and "(bad)" before is
  # data among code.
  map=${exe%.exe}.map
  lists=$(awk '$2 == "___CTOR_LIST__" { print $1; exit }' "$map" 2>/dev/null)
  [ -n "$lists" ] || { echo "no constructor list in the link map $map"; fail=1; }
  above=$("$objdump" -d --no-show-raw-insn --stop-address="${lists:-0}" "$exe" | grep -E '%[xyz]?mm[0-9]|\(bad\)|:\s+(emms|femms|prefetch|fxsave|fxrstor|[lms]fence|ldmxcsr|stmxcsr|movnti|clflush|fisttp|monitor|mwait|popcnt|lzcnt|tzcnt|crc32|movbe|rdrand|rdseed|xsave|xrstor|sysenter|sysexit)')
  [ -z "$above" ] || { echo "instructions above the Pentium Pro (the link map $map names their functions):"
    echo "$above"; fail=1; }
fi

[ $fail -eq 0 ] && echo "$size bytes; imports:" $dlls
exit $fail
