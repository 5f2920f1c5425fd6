#!/usr/bin/env bash
# Fails when clang-format would change one of our C++ files.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files --cached --others --exclude-standard -- '*.h' '*.cpp')
[ ${#files[@]} -eq 0 ] && exit 0
if ! clang-format --dry-run --Werror "${files[@]}"; then
  echo "clang-format would change the files above: run clang-format -i on them." >&2
  exit 1
fi
