#!/usr/bin/env bash
# Builds both release zips, 32-bit and 64-bit, into build/release/: each
# holds the stripped exe, "Tallow Divod.exe", and a short text for users,
# under ASCII names that every Windows unzips alike.
# Beside them, SHA256SUMS of the zips and of the exes in them. The same
# commit gives the same bytes in any folder, at any time, for any user,
# umask or locale (scripts/check-reproducible.sh shows it). The exes in the
# zips pass the PE gate.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup-deps.sh
# The time of the zips' entries: the commit's. Only the packing sees it, so a
# __DATE__ in the sources fails the reproducibility check instead of being
# pinned to a commit that an incremental build may not recompile for.
epoch=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct)}
rm -rf build/release
mkdir -p build/release
sums=build/release/SHA256SUMS
for preset in mingw32 mingw; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$(nproc)" --target tallow-divod
  SOURCE_DATE_EPOCH=$epoch cmake --build --preset "$preset" --target release-zip >/dev/null
  case $preset in mingw32) oldest=xp-sp3-x86 arch=win32 ;; mingw) oldest=vista-x64 arch=win64 ;; esac
  zip=$(echo build/release/TallowDivod-*-"$arch".zip)
  # The gate again, on the stripped exe as it is in the zip.
  unpacked=$(mktemp -d)
  python3 -X utf8 -m zipfile -e "$zip" "$unpacked"
  exe=$(cd "$unpacked" && echo */*.exe)
  scripts/check-pe.sh "$unpacked/$exe" "$oldest"
  (cd build/release && sha256sum "${zip##*/}") >>"$sums"
  (cd "$unpacked" && sha256sum "$exe") >>"$sums"
  rm -rf "$unpacked"
done
ls -l build/release/*.zip
cat "$sums"
