#!/usr/bin/env bash
# Checks the built exe's PE headers: ASLR (high entropy), DEP, relocations,
# and that it imports only DLLs that Windows always loads from the system
# folder.
set -euo pipefail
exe=$1
dump=$(x86_64-w64-mingw32-objdump -p "$exe")
flags=$(sed -n 's/^DllCharacteristics[[:space:]]*\([0-9a-fA-F]*\).*/\1/p' <<<"$dump")
(( (16#$flags & 0x0160) == 0x0160 )) || { echo "$exe: DllCharacteristics $flags lacks 0x0160 (ASLR, high entropy, DEP)"; exit 1; }
grep -q '^[[:space:]]*relocations stripped' <<<"$dump" && { echo "$exe: relocations stripped"; exit 1; }
# Without a base relocation table the loader cannot move the image: no ASLR.
relocs=$(sed -n 's/^Entry 5 [0-9a-fA-F]* \([0-9a-fA-F]*\) Base Relocation Directory.*/\1/p' <<<"$dump")
(( 16#${relocs:-0} > 0 )) || { echo "$exe: no base relocation table"; exit 1; }
# msvcrt.dll is MinGW's C runtime; like the others it is a known DLL, always
# mapped from the system folder.
allowed='^(KERNEL32|USER32|GDI32|SHELL32|OLE32|OLEAUT32|ADVAPI32|COMDLG32|MSVCRT)\.DLL$'
while read -r dll; do
  [[ ${dll^^} =~ $allowed ]] || { echo "$exe: imports $dll directly"; exit 1; }
done < <(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$dump")
echo "$exe: DllCharacteristics 0x$flags, imports $(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$dump" | tr '\n' ' ')"
