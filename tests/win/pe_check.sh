#!/usr/bin/env bash
# Checks the built program's PE header: only system DLLs imported, a GUI
# program, and the hardening flags (ASLR, DEP; high-entropy ASLR on 64-bit).
# Usage: pe_check.sh objdump program.exe win32|win64
set -u
objdump=$1 exe=$2 arch=$3
header=$("$objdump" -p "$exe") || { echo "cannot read $exe"; exit 1; }
fail=0

allowed='^(KERNEL32|USER32|GDI32|COMCTL32|WINMM|msvcrt)\.dll$'
while read -r dll; do
  if ! grep -qiE "$allowed" <<<"$dll"; then
    echo "imports a DLL that is not part of Windows: $dll"
    fail=1
  fi
done < <(sed -n 's/^\s*DLL Name: //p' <<<"$header")

grep -qE '^Subsystem\s+00000002' <<<"$header" || { echo "not a GUI program"; fail=1; }
flags=(DYNAMIC_BASE NX_COMPAT)
[ "$arch" = win64 ] && flags+=(HIGH_ENTROPY_VA)
for flag in "${flags[@]}"; do
  grep -qE "^\s+$flag\$" <<<"$header" || { echo "missing DllCharacteristics flag $flag"; fail=1; }
done

[ $fail -eq 0 ] && echo "imports: $(sed -n 's/^\s*DLL Name: //p' <<<"$header" | tr '\n' ' ')"
exit $fail
