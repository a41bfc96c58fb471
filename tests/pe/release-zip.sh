#!/usr/bin/env bash
# This build's release zip, packed as scripts/release.sh packs it: it holds
# the exe and readme.txt under ASCII names, none with the UTF-8 flag, and the
# packer refuses a name that Windows' own unzip before Windows 10 would
# garble.
#   tests/pe/release-zip.sh BUILD_DIR RELEASE_NAME
set -euo pipefail
build=$1 name=$2
pack="$(cd "$(dirname "$0")/../.." && pwd)/scripts/pack-zip.py"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cmake --install "$build" --prefix "$work/$name" >/dev/null
SOURCE_DATE_EPOCH=0 python3 -X utf8 "$pack" "$work/release.zip" "$work/$name"
python3 -X utf8 - "$work/release.zip" "$name" <<'PY'
import sys, zipfile
entries = zipfile.ZipFile(sys.argv[1]).infolist()
for e in entries:
    print(f"  {e.filename}  (flags 0x{e.flag_bits:04x})")
names = [e.filename for e in entries]
expected = [f"{sys.argv[2]}/Tallow Divod.exe", f"{sys.argv[2]}/readme.txt"]
if names != expected:
    sys.exit(f"entries {names}, not {expected}")
for e in entries:
    if not e.filename.isascii() or e.flag_bits & 0x800:
        sys.exit(f"{e.filename!r}: not a plain ASCII name")
PY

mkdir -p "$work/unsafe/$name"
cp "$work/$name/readme.txt" "$work/unsafe/$name/™Tallow Divod™.exe"
if SOURCE_DATE_EPOCH=0 python3 -X utf8 "$pack" "$work/unsafe.zip" "$work/unsafe/$name" 2>"$work/error"; then
  echo "packed a zip with the entry $name/™Tallow Divod™.exe"
  exit 1
fi
cat "$work/error"
grep -q "^pack-zip: not ASCII.*: $name/™Tallow Divod™.exe$" "$work/error"
echo "release zip: every name ASCII"
