#!/usr/bin/env bash
# Does every C and C++ file git tracks follow .clang-format? Names the files
# that do not; `clang-format -i FILE` mends one.
set -euo pipefail
cd "$(dirname "$0")/.."
bad=()
while IFS= read -r file; do
  clang-format --dry-run --Werror "$file" >/dev/null 2>&1 || bad+=("$file")
done < <(git ls-files '*.c' '*.cc' '*.cpp' '*.h' '*.hpp')
if [ ${#bad[@]} -gt 0 ]; then
  printf 'not formatted as .clang-format says: %s\n' "${bad[@]}"
  exit 1
fi
echo "every C and C++ file follows .clang-format"
