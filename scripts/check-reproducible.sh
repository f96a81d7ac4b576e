#!/usr/bin/env bash
# Checks that the release is reproducible: builds the shipped files and the release zip twice
# from the sources as they stand, in two temporary folders of different names and depths, one
# after the other, with different time zones and umasks, and compares Tandrel.exe,
# KeyBoardHook.dll, MouseHook.dll, tandrel-rec.exe, Tandrel-<version>-win32.zip and its .sha256
# byte for byte. Each folder is a clone of the commit, with the sources as they stand laid
# over it, and is built as a user builds it: `cmake --preset mingw`, then the package target.
# SOURCE_DATE_EPOCH is left out: the files must be the same without it.
#
# The first build takes the caller's compiler cache settings; the second never uses the cache,
# so that every object file of it is compiled again, in its own folder, at its own time.
# Exits non-zero when a file differs or a build fails.
#   scripts/check-reproducible.sh [--keep]      (--keep leaves the two folders for a look)
#   scripts/check-reproducible.sh --against DIR  one build only, compared with DIR: a full build
#                                                of the sources as they stand (test.sh hands in its
#                                                own, made with `cmake --preset mingw`)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

keep=0
against=
while [ $# -gt 0 ]; do
  case "$1" in
    --keep) keep=1 ;;
    --against) against=$(cd "$2" && pwd); shift ;;
    *) echo "check-reproducible: unknown argument '$1'" >&2; exit 2 ;;
  esac
  shift
done

work=$(mktemp -d "${TMPDIR:-/tmp}/tandrel-reproducible.XXXXXX")
if [ $keep -eq 0 ]; then trap 'rm -rf "$work"' EXIT; fi

# A checkout of the commit as a user makes one (git clone), with the sources as they stand
# now laid over it: the files git knows or would take (tracked, and new ones not ignored).
copySources() {
  mkdir -p "$(dirname "$1")"
  git clone --quiet --depth 1 "file://$root" "$1"
  (cd "$root" && git ls-files -z --cached --others --exclude-standard |
    tar --null --files-from=- --ignore-failed-read -cf - 2>/dev/null) | tar -xf - -C "$1"
}

# buildIn <source folder> <time zone> <umask> <log> [extra environment...]
buildIn() {
  local src=$1 tz=$2 mask=$3 log=$4
  shift 4
  (
    cd "$src"
    unset SOURCE_DATE_EPOCH
    umask "$mask"
    export TZ="$tz"
    for setting in "$@"; do export "${setting?}"; done
    cmake --preset mingw >"$log" 2>&1
    cmake --build build -j2 --target package >>"$log" 2>&1
  ) || { echo "The build in $src failed; the end of its log ($log):"; tail -n 30 "$log"; return 1; }
}

second=$work/zweiter-bau/mit/anderem/Ordner/tandrel-source
copySources "$second"
start=$SECONDS
if [ -n "$against" ]; then
  firstBuild=$against
  echo "Build 1 of 2: $firstBuild, as it is"
else
  first=$work/a/Tandrel
  copySources "$first"
  firstBuild=$first/build
  echo "Build 1 of 2 in $first"
  buildIn "$first" UTC 022 "$work/build-1.log"
fi
echo "Build 2 of 2 in $second (without the compiler cache)"
buildIn "$second" Pacific/Auckland 002 "$work/build-2.log" CCACHE_DISABLE=1
echo "The builds took $((SECONDS - start)) s."

version=$(sed -nE 's/^project\(Tandrel VERSION ([0-9.]+) .*/\1/p' "$root/CMakeLists.txt")
zip=Tandrel-$version-win32.zip
differ=0
for f in dist/Tandrel.exe dist/KeyBoardHook.dll dist/MouseHook.dll dist/tandrel-rec.exe "$zip" "$zip.sha256"; do
  a=$firstBuild/$f
  b=$second/build/$f
  if [ ! -f "$a" ] || [ ! -f "$b" ]; then
    echo "MISSING  $f"
    differ=1
  elif cmp -s "$a" "$b"; then
    printf 'SAME     %s  %8d bytes  %s\n' "$(sha256sum "$a" | cut -d' ' -f1)" "$(stat -c %s "$a")" "$f"
  else
    echo "DIFFERENT $f: the first differing bytes (offset, first build, second build, octal):"
    cmp -l "$a" "$b" | head -n 5 || true
    differ=1
  fi
done
if [ $keep -eq 1 ]; then echo "The two builds are left in $work."; fi
if [ $differ -ne 0 ]; then
  echo "The release is not reproducible."
  exit 1
fi
echo "The release is reproducible: both builds gave the same bytes."
