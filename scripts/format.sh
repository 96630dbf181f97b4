#!/usr/bin/env bash
# Formats every C++ source of the project with the .clang-format at the root.
# With --check, changes nothing and fails, naming the files, when one is not
# formatted.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files -co --exclude-standard -- '*.cpp' '*.h' | grep -v '^build/' || true)
[ ${#files[@]} -gt 0 ] || exit 0
if [ "${1:-}" = "--check" ]; then
  bad=()
  for f in "${files[@]}"; do
    [ -f "$f" ] || continue
    if ! clang-format --dry-run --Werror "$f" >/dev/null 2>&1; then bad+=("$f"); fi
  done
  if [ ${#bad[@]} -gt 0 ]; then
    printf 'Not formatted: %s\n' "${bad[@]}"
    echo "Run scripts/format.sh to format them."
    exit 1
  fi
  exit 0
fi
clang-format -i "${files[@]}"
