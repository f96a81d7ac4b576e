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

# Two clang-format runs side by side over all the files (a deleted one not yet committed is
# left out); each names the files it would change in its warnings ("FILE:LINE:COL: error: code
# should be clang-formatted").
existing=()
for f in "${files[@]}"; do [ -f "$f" ] && existing+=("$f"); done
report=$(printf '%s\0' "${existing[@]}" | xargs -0 -r -P 2 -n 100 clang-format --dry-run --Werror 2>&1 >/dev/null)
formatRc=$?
mapfile -t unformatted < <(sed -nE 's/^(.*):[0-9]+:[0-9]+: (error|warning): .*/\1/p' <<<"$report" | sort -u)
if [ $formatRc -ne 0 ] && [ ${#unformatted[@]} -eq 0 ]; then
  echo "clang-format failed:"
  echo "$report"
  exit 1
fi
if [ ${#unformatted[@]} -gt 0 ]; then
  echo "Not formatted (run scripts/check-format.sh --fix, or clang-format -i FILE):"
  printf '  %s\n' "${unformatted[@]}"
  exit 1
fi
echo "Format: ${#files[@]} C++ files follow .clang-format."
