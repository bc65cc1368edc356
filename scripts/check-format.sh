#!/usr/bin/env bash
# Checks that the C and C++ lines a change touches follow .clang-format; untouched old lines
# are never checked. A change is everything between a base commit and the working tree:
#   - ORVEL_FORMAT_BASE, when set (any commit name);
#   - else the merge base with origin/main, when that exists and is not HEAD itself
#     (a branch checked out in CI or locally);
#   - else the last commit's first parent (a clean clone of main, or a merge commit: then
#     everything the merge brought in).
# Without git, or with no base commit (a single-commit clone), it says so and checks nothing.
set -euo pipefail
cd "$(dirname "$0")/.."

if ! git rev-parse --git-dir >/dev/null 2>&1; then
  echo "format check: not a git checkout, nothing to compare with"
  exit 0
fi

base="${ORVEL_FORMAT_BASE:-}"
if [ -z "$base" ] && git rev-parse -q --verify origin/main >/dev/null; then
  merge_base=$(git merge-base HEAD origin/main || true)
  [ -n "$merge_base" ] && [ "$merge_base" != "$(git rev-parse HEAD)" ] && base=$merge_base
fi
if [ -z "$base" ]; then
  if ! git rev-parse -q --verify 'HEAD^1' >/dev/null; then
    echo "format check: HEAD has no parent, nothing to compare with"
    exit 0
  fi
  base='HEAD^1'
fi

failed=0
checked=0
# A moved or copied file is compared with the file it came from, so that moving a file checks
# only the lines changed with the move.
while IFS= read -r -d '' status && IFS= read -r -d '' file; do
  old=$file
  case $status in R* | C*) IFS= read -r -d '' file ;; esac
  [ -f "$file" ] || continue
  # The new side of each hunk: "@@ -a,b +start,count @@"; count 0 is a pure deletion.
  ranges=()
  while read -r start count; do
    [ "$count" -eq 0 ] && continue
    ranges+=("--lines=$start:$((start + count - 1))")
  done < <(git diff -U0 -M --no-color "$base" -- "$old" "$file" |
             sed -nE 's/^@@ -[0-9,]+ \+([0-9]+)(,([0-9]+))? @@.*/\1 \3/p' |
             awk '{ print $1, ($2 == "" ? 1 : $2) }')
  [ ${#ranges[@]} -eq 0 ] && continue
  checked=$((checked + 1))
  clang-format --style=file --dry-run --Werror "${ranges[@]}" "$file" || failed=1
done < <(git diff -z -M --name-status --diff-filter=ACMR "$base" -- '*.cpp' '*.h' '*.c')

if [ "$failed" -ne 0 ]; then
  echo "format check: changed lines differ from .clang-format (since $base); fix with"
  echo "  clang-format -i --style=file --lines=FIRST:LAST FILE  (or the whole file if it is new)"
  exit 1
fi
echo "format check: changed lines of $checked files follow .clang-format (since $base)"
