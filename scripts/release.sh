#!/usr/bin/env bash
# Builds both release zips, 32-bit and 64-bit, into build/release/: each
# holds the stripped exe under its own name and a short text for users.
# The exes in them pass the PE gate.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup-deps.sh
for preset in mingw32 mingw; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$(nproc)" --target tallow-divod
  case $preset in mingw32) oldest=xp-sp3-x86 arch=win32 ;; mingw) oldest=vista-x64 arch=win64 ;; esac
  (cd "build/$preset" && cpack -G ZIP >/dev/null)
  # The gate again, on the stripped exe as it is in the zip.
  unpacked=$(mktemp -d)
  cmake -E chdir "$unpacked" cmake -E tar xf "$PWD/build/release/TallowDivod-"*"-$arch.zip"
  scripts/check-pe.sh "$(find "$unpacked" -name '*.exe')" "$oldest"
  rm -rf "$unpacked"
done
ls -l build/release/*.zip
