#!/usr/bin/env bash
# Checks that every C and C++ file of the project follows .clang-format: the layout and the
# order and grouping of its includes. Without git (an unpacked source archive) it checks the
# files under the project's source folders instead of the files git tracks.
set -euo pipefail
cd "$(dirname "$0")/.."

if git rev-parse --git-dir >/dev/null 2>&1; then
  mapfile -d '' files < <(git ls-files -z -co --exclude-standard -- '*.c' '*.cpp' '*.h')
else
  mapfile -d '' files < <(find editor serial loader sim tests bench fuzz -type f \
                            \( -name '*.c' -o -name '*.cpp' -o -name '*.h' \) -print0)
fi

if ! printf '%s\0' "${files[@]}" | xargs -0 -n 50 -P 2 clang-format --style=file --dry-run --Werror; then
  echo "format check: files differ from .clang-format; fix with"
  echo "  clang-format -i --style=file FILE..."
  exit 1
fi
echo "format check: ${#files[@]} C and C++ files follow .clang-format"
