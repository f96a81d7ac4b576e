#!/usr/bin/env bash
# The tandrel-rec program on real files: pack replaces nothing without --force and leaves
# nothing behind when it fails, text and binary pass through standard input and output, and
# the exit status follows the convention (0 done, 1 check findings, 2 bad usage or input).
# Usage: command-line.sh PATH/TO/tandrel-rec
set -u
tool=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
# expectExit CODE COMMAND...: runs the command, its stdout to out, its stderr to err.
expectExit() {
  local want=$1; shift
  "$@" >out 2>err
  local got=$?
  [ "$got" -eq "$want" ] || fail "$* exited $got, expected $want ($(cat err))"
}
# Exactly these files in the folder, and nothing else (no temporary files).
expectFiles() {
  local got
  got=$(ls -A | grep -v -x -e out -e err | sort | tr '\n' ' ')
  [ "$got" = "$* " ] || fail "files are '$got', expected '$* '"
}

printf 'tandrel-rec 1\n0 key A down\n10 move 5 -7\n3 key A up\n' >a.txt
printf 'tandrel-rec 1\n0 key Shift down\n' >b.txt
printf 'tandrel-rec 1\n0 key A down\n1 move 5\n' >bad.txt

expectExit 0 "$tool" pack a.txt -o a.rec
[ "$(stat -c %s a.rec)" -eq 48 ] || fail "a.rec is not three records"
cp a.rec a.orig

# An existing output stays as it is without --force.
expectExit 2 "$tool" pack b.txt -o a.rec
grep -q "already exists" err || fail "no word on the existing file: $(cat err)"
cmp -s a.rec a.orig || fail "a.rec was changed without --force"
expectFiles a.orig a.rec a.txt b.txt bad.txt

# Malformed text: its line on stderr, no output file, no temporary file.
expectExit 2 "$tool" pack bad.txt -o new.rec
grep -q "^bad.txt:3: " err || fail "no FILE:LINE message: $(cat err)"
expectFiles a.orig a.rec a.txt b.txt bad.txt
# ... nor does it touch an output that --force would replace.
expectExit 2 "$tool" pack bad.txt -o a.rec --force
cmp -s a.rec a.orig || fail "a failed pack changed a.rec"

expectExit 0 "$tool" pack --force b.txt -o a.rec
[ "$(stat -c %s a.rec)" -eq 16 ] || fail "--force did not replace a.rec"
expectFiles a.orig a.rec a.txt b.txt bad.txt

# Standard input and output, both ways, byte for byte.
"$tool" dump - <a.orig | "$tool" pack - -o - >piped.rec || fail "dump | pack through pipes failed"
cmp -s piped.rec a.orig || fail "the piped round trip changed the bytes"
rm -f piped.rec

expectExit 0 "$tool" check a.orig
expectExit 1 "$tool" check a.rec
grep -q "^record 1 (byte 0): key Shift pressed here is still held" out || fail "check said: $(cat out)"
expectExit 0 "$tool" info --speed 2 a.orig
grep -q "at speed 2" out || fail "info said: $(cat out)"

expectExit 2 "$tool" pack a.txt
expectExit 2 "$tool" info a.orig --speed 11
expectExit 2 "$tool" frobnicate a.orig
expectExit 2 "$tool" dump missing.rec
grep -q "missing.rec" err || fail "the unreadable file is not named: $(cat err)"
expectExit 0 "$tool" --version
grep -q -E '^tandrel-rec [0-9]+\.[0-9]+' out || fail "--version said: $(cat out)"

if [ $failures -ne 0 ]; then
  echo "$failures check(s) failed"
  exit 1
fi
echo "all command-line checks passed"
