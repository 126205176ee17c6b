#!/usr/bin/env bash
# Fails when a C++ file of the repository differs from what .clang-format makes of it, and names the files.
set -euo pipefail
cd "$(dirname "$0")/.."
unformatted=()
while IFS= read -r -d '' file; do
  clang-format --dry-run --Werror "$file" >/dev/null 2>&1 || unformatted+=("$file")
done < <(git ls-files -z '*.cpp' '*.h')
if [ ${#unformatted[@]} -ne 0 ]; then
  echo "Not formatted by .clang-format (run clang-format -i on them):"
  printf '  %s\n' "${unformatted[@]}"
  exit 1
fi
echo "Format: every C++ file follows .clang-format"
