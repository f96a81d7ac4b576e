#!/usr/bin/env bash
# Static analysis: clang-tidy with the checks of .clang-tidy over the project's own code
# (src/, hookmodules/, tools/tandrel-rec/), as the Windows build compiles it (clang for
# i686-w64-mingw32 with the MinGW headers) and as the native build does. Prints each finding
# once and fails when there is one; the whole output of clang-tidy is kept in build/tidy.log.
#   scripts/check-tidy.sh             both builds, each file once: what both compile (the pure
#                                     logic) in the native build, the rest in the Windows build
#   scripts/check-tidy.sh mingw       every file of the Windows build (or: native)
#   scripts/check-tidy.sh --changed   only the files changed against main (committed or not, new
#                                     ones too; a changed header by the .cpp of its name), both
#                                     builds or the one named: seconds, to run before ./test.sh
# A build folder that has no compile database yet is configured (not built) with one. Run by
# ./test.sh; about two minutes on two cores the first time, then only the files changed since
# their last clean check (scripts/tidy-stamps.py; a changed header or .clang-tidy checks all).
# TANDREL_TIDY_JOBS sets how many run at once.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
jobs=${TANDREL_TIDY_JOBS:-2}
changed=()
onlyChanged=0
if [ "${1:-}" = "--changed" ]; then
  onlyChanged=1
  shift
  # TANDREL_TIDY_BASE compares with another commit (HEAD: only what is not committed yet).
  base=$(git merge-base "${TANDREL_TIDY_BASE:-main}" HEAD) || { echo "check-tidy: nothing to compare with" >&2; exit 2; }
  mapfile -t changed < <({ git diff --name-only "$base" --; git ls-files --others --exclude-standard; } |
    grep -E '^(src|hookmodules|tools/tandrel-rec)/.*\.(cpp|h)$' | sed -E 's/\.h$/.cpp/' | sort -u)
fi
configs=("$@")
# Both by default: a file that both builds compile (the pure logic, which never includes
# windows.h) is checked once, in the native build, where size_t and long are 64 bits wide and a
# narrowing shows; the rest as the Windows build compiles it.
[ ${#configs[@]} -eq 0 ] && configs=(native mingw)

command -v clang-tidy >/dev/null || { echo "clang-tidy is missing: scripts/ensure-deps.sh installs it" >&2; exit 1; }
# Leaves out of `files` those in `checkedNatively`.
dropCheckedNatively() {
  [ ${#files[@]} -gt 0 ] && [ ${#checkedNatively[@]} -gt 0 ] || return 0
  mapfile -t files < <(printf '%s\n' "${files[@]}" | grep -vxF -f <(printf '%s\n' "${checkedNatively[@]}"))
}
start=$(date +%s)
mkdir -p build
log=build/tidy.log
: >"$log"
for config in "${configs[@]}"; do
  case "$config" in
    mingw) dir=build; extra=(--mingw) ;;
    native) dir=build/native; extra=() ;;
    *) echo "check-tidy: unknown build '$config' (mingw or native)" >&2; exit 2 ;;
  esac
  if [ ! -f "$dir/compile_commands.json" ]; then
    cmake --preset "$config" -DCMAKE_EXPORT_COMPILE_COMMANDS=ON >/dev/null || exit 1
  fi
  python3 scripts/tidy-database.py "$dir" "$dir/tidy" "${extra[@]}" >/dev/null || exit 1
  # The files of this build that the native build checks already (both are checked here).
  checkedNatively=()
  if [ "$config" = mingw ] && printf '%s\n' "${configs[@]}" | grep -qx native; then
    mapfile -t checkedNatively < <(python3 -c 'import json, sys; [print(e["file"]) for e in json.load(open(sys.argv[1]))]' \
      build/native/tidy/compile_commands.json)
  fi
  if [ $onlyChanged -eq 1 ]; then
    mapfile -t files < <(python3 -c 'import json, sys; [print(e["file"]) for e in json.load(open(sys.argv[1]))]' \
      "$dir/tidy/compile_commands.json")
    mapfile -t files < <(printf '%s\n' "${files[@]}" | grep -Fx -f <(printf "$root/%s\n" "${changed[@]}" "-"))
    dropCheckedNatively
    [ ${#files[@]} -eq 0 ] && { echo "clang-tidy: no changed files of the $config build"; continue; }
    echo "clang-tidy: ${#files[@]} changed files of the $config build"
  else
    # Only the files not checked clean since they (or a header, or the checks) last changed.
    mapfile -t files < <(python3 scripts/tidy-stamps.py stale "$dir/tidy")
    total=$(python3 -c 'import json, sys; print(len(json.load(open(sys.argv[1]))))' "$dir/tidy/compile_commands.json")
    total=$((total - ${#checkedNatively[@]}))
    dropCheckedNatively
    echo "clang-tidy: ${#files[@]} files of the $config build (the other $((total - ${#files[@]})) unchanged since a clean check; ${#checkedNatively[@]} more checked in the native build)"
  fi
  fileLogs="$dir/tidy/logs"
  rm -rf "$fileLogs"
  mkdir -p "$fileLogs"
  # One log per file, so that each clean file gets its stamp (scripts/tidy-stamps.py).
  printf '%s\n' "${files[@]}" |
    xargs -r -P "$jobs" -I{} sh -c 'clang-tidy -p "$1" --quiet --header-filter="$2" "$3" >"$4/$(python3 scripts/tidy-stamps.py log-name "$3")" 2>&1 ||
      echo "clang-tidy failed: $3" >>"$4/$(python3 scripts/tidy-stamps.py log-name "$3")"' \
      sh "$dir/tidy" "^$root/(src|hookmodules|tools/tandrel-rec)/" {} "$fileLogs"
  cat "$fileLogs"/*.log >>"$log" 2>/dev/null
  python3 scripts/tidy-stamps.py record "$dir/tidy" "$fileLogs" || exit 1
done

# A finding in a header shows once for every file that includes it: each is listed once.
mapfile -t findings < <(grep -E '^/.*:[0-9]+:[0-9]+: (warning|error): ' "$log" | sed "s|^$root/||" | sort -u)
echo "clang-tidy took $(($(date +%s) - start)) s"
if [ ${#findings[@]} -gt 0 ]; then
  echo "clang-tidy: ${#findings[@]} findings (details in $log):"
  printf '  %s\n' "${findings[@]}"
  exit 1
fi
echo "clang-tidy: no findings."
