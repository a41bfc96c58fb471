#!/usr/bin/env bash
# The PE gate: would this exe start on the oldest Windows it is for, and is it
# hardened? Checks the machine, the subsystem and OS versions in the header,
# ASLR, DEP and relocations, and every imported function against the export
# lists of that Windows in scripts/exports/ (see its README).
#   scripts/check-pe.sh EXE xp-sp3-x86|vista-x64
set -euo pipefail
exe=$1
baseline=$2
lists="$(cd "$(dirname "$0")" && pwd)/exports"
objdump=x86_64-w64-mingw32-objdump   # reads 32-bit images too

# The subsystem and OS versions of the header: at most XP's 5.1 for the
# 32-bit exe; exactly 6.0 for the 64-bit one, since XP x64 and Server 2003
# x64 (5.2) would load an older one and fail on a Vista import, where 6.0
# has them refuse it at once as not a program for them.
case $baseline in
  xp-sp3-x86) format=pei-i386;   min_version=0.0; max_version=5.1; hardening=0x0140; arch=x86 ;;  # ASLR, DEP
  vista-x64)  format=pei-x86-64; min_version=6.0; max_version=6.0; hardening=0x0160; arch=x64 ;;  # and high-entropy ASLR
  *) echo "unknown baseline $baseline"; exit 2 ;;
esac

failures=()
fail() { failures+=("$1"); }

dump=$($objdump -p "$exe")
header() { sed -n "s/^$1[[:space:]]*\([0-9a-fA-F]*\).*/\1/p" <<<"$dump" | head -n1; }

actual_format=$(sed -n 's/.*file format \(.*\)$/\1/p' <<<"$dump" | head -n1)
[ "$actual_format" = "$format" ] || fail "machine: $actual_format, not $format"

# Versions compare as major*100+minor: 5.1 is XP, 5.2 XP x64 and Server 2003, 6.0 Vista.
min=$(( ${min_version%.*} * 100 + ${min_version#*.} ))
max=$(( ${max_version%.*} * 100 + ${max_version#*.} ))
for field in Subsystem OSystem; do
  major=$(header "Major${field}Version"); minor=$(header "Minor${field}Version")
  (( major * 100 + minor <= max )) || fail "${field/OSystem/OS} version $major.$minor is newer than $max_version"
  (( major * 100 + minor >= min )) || fail "${field/OSystem/OS} version $major.$minor is older than $min_version"
done

flags=$(header DllCharacteristics)
(( (16#$flags & hardening) == hardening )) || fail "DllCharacteristics 0x$flags lacks $hardening (ASLR, DEP)"
grep -q '^[[:space:]]*relocations stripped' <<<"$dump" && fail "relocations stripped"
# Without a base relocation table the loader cannot move the image: no ASLR.
relocs=$(sed -n 's/^Entry 5 [0-9a-fA-F]* \([0-9a-fA-F]*\) Base Relocation Directory.*/\1/p' <<<"$dump")
(( 16#${relocs:-0} > 0 )) || fail "no base relocation table"

# DLL!function for every import; "<none>" is an import by ordinal.
imports=$(awk '/DLL Name:/ { dll = tolower($3); sub(/\.dll$/, "", dll) }
               /^\t[0-9a-f]+\t? +[0-9]+ +[^ ]/ && dll != "" { print dll "!" $NF }' <<<"$dump")
count=0
for dll in $(cut -d'!' -f1 <<<"$imports" | sort -u); do
  if [ ! -f "$lists/$dll.txt" ]; then
    fail "imports $dll.dll, which has no export list (not a DLL Windows always maps from the system folder)"
    continue
  fi
  # The exports of this DLL on the baseline.
  available=$(awk -v arch="$arch" '
    { tags = " " $0 " " }
    arch == "x86" && (tags ~ / \+vista / || tags ~ / x64 /) { next }
    arch == "x64" && (tags ~ / -vista / || tags ~ / x86 /) { next }
    { print $1 }' "$lists/$dll.txt")
  while read -r function; do
    count=$((count + 1))
    [ "$function" = "<none>" ] && { fail "imports from $dll.dll by ordinal"; continue; }
    grep -qxF -- "$function" <<<"$available" || fail "imports $dll.dll!$function, which $baseline lacks"
  done < <(sed -n "s/^$dll!//p" <<<"$imports")
done

if [ ${#failures[@]} -gt 0 ]; then
  echo "$exe: would not start on $baseline, or is not hardened:"
  printf '  %s\n' "${failures[@]}"
  exit 1
fi
dlls=$(cut -d'!' -f1 <<<"$imports" | sort -u | tr '\n' ' ')
echo "$exe: starts on $baseline: $format, subsystem $(header MajorSubsystemVersion).$(header MinorSubsystemVersion), DllCharacteristics 0x$flags, $count imports from ${dlls% } all in the lists"
