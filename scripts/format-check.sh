#!/usr/bin/env bash
# Checks that every C++ source and header under src, tests, tools, bench and fuzz is
# formatted as .clang-format says (clang-format 14). Changes nothing; exits non-zero and
# names the places otherwise. To format: clang-format -i FILE...
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cd "$here"
format=$(command -v clang-format-14 || command -v clang-format || true)
if [ -z "$format" ]; then
  echo "format-check: clang-format is not installed (scripts/install-deps.sh)" >&2
  exit 2
fi
mapfile -d '' files < <(find src tests tools bench fuzz \( -name '*.cpp' -o -name '*.h' \) -print0 | sort -z)
if ! "$format" --dry-run --Werror "${files[@]}"; then
  echo "format-check: not formatted as .clang-format says (clang-format -i the files above)" >&2
  exit 1
fi
echo "format-check: ${#files[@]} files formatted"
