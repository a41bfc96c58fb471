#!/usr/bin/env bash
# Can this machine's kernel run 32-bit Linux programs, which Wine's 32-bit
# half is? Runs a tiny i386 program to find out. Exit 0 when it can; else
# says why on stdout and exits 1.
set -u
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
cat >"$dir/exit42.s" <<'ASM'
  .globl _start
_start:
  movl $1, %eax   # exit
  movl $42, %ebx
  int $0x80
ASM
if ! as --32 -o "$dir/exit42.o" "$dir/exit42.s" 2>/dev/null || ! ld -m elf_i386 -o "$dir/exit42" "$dir/exit42.o" 2>/dev/null; then
  echo "cannot build a 32-bit test program here (binutils' as --32 and ld -m elf_i386)"
  exit 1
fi
"$dir/exit42" 2>/dev/null
status=$?
if [ "$status" -ne 42 ]; then
  echo "this kernel does not run 32-bit programs (a tiny i386 one ended with status $status)"
  exit 1
fi
