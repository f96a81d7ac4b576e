#!/usr/bin/env bash
# Checks that every C++ file of the project follows .clang-format, and names each one that
# does not. `scripts/check-format.sh --fix` formats them in place instead.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

mapfile -t files < <(git ls-files --cached --others --exclude-standard -- '*.cpp' '*.h' | grep -v '^build/')
if [ "${1:-}" = "--fix" ]; then
  clang-format -i "${files[@]}"
  exit 0
fi

unformatted=()
for f in "${files[@]}"; do
  [ -f "$f" ] || continue
  if ! clang-format --dry-run --Werror "$f" >/dev/null 2>&1; then unformatted+=("$f"); fi
done
if [ ${#unformatted[@]} -gt 0 ]; then
  echo "Not formatted (run scripts/check-format.sh --fix, or clang-format -i FILE):"
  printf '  %s\n' "${unformatted[@]}"
  exit 1
fi
echo "Format: ${#files[@]} C++ files follow .clang-format."
