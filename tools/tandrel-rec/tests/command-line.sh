#!/usr/bin/env bash
# The tandrel-rec program on real files: pack and the edits replace nothing without --force,
# never write onto their input and leave nothing behind when they fail, text and binary pass
# through standard input and output, and the exit status follows the convention (0 done,
# 1 check findings, 2 bad usage or input).
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

# The edits write a new recording under the same rules as pack, and never touch their input.
printf 'tandrel-rec 1\n10 move 1 1\n10 move 2 2\n10 move 3 3\n5 button left down\n5 button left up\n' >e.txt
"$tool" pack e.txt -o e.rec || fail "cannot pack e.txt"
cp e.rec e.orig
edits=("retime --speed 3" "retime --fixed-delay 5" "retime --max-pause 7" "thin --min-interval 15"
  "strip --moves" "rescale --from 2x2 --to 4x4" "jitter --ms 3 --seed 1")
for edit in "${edits[@]}"; do
  read -r -a words <<<"$edit"
  rm -f out.rec
  expectExit 0 "$tool" "${words[@]}" e.rec -o out.rec
  [ -s out.rec ] || fail "$edit wrote nothing"
  cp out.rec first.rec
  # An existing output stays without --force, and is replaced with it.
  expectExit 2 "$tool" "${words[@]}" a.orig -o out.rec
  grep -q "already exists" err || fail "$edit: no word on the existing file: $(cat err)"
  cmp -s out.rec first.rec || fail "$edit changed out.rec without --force"
  expectExit 0 "$tool" "${words[@]}" a.orig -o out.rec --force
  cmp -s out.rec first.rec && fail "$edit --force did not replace out.rec"
  # Never onto the input, under any of its names, --force or not.
  ln -f e.rec e.link
  for same in e.rec ./e.rec e.link; do
    expectExit 2 "$tool" "${words[@]}" e.rec -o "$same" --force
    grep -q "is the input file" err || fail "$edit -o $same: $(cat err)"
  done
  rm -f e.link
  cmp -s e.rec e.orig || fail "$edit changed its input"
  # Standard input to standard output gives the same bytes as files do.
  "$tool" "${words[@]}" - -o - <e.rec >piped.rec || fail "$edit through pipes failed"
  cmp -s piped.rec first.rec || fail "$edit through pipes wrote other bytes"
  rm -f piped.rec first.rec out.rec
  expectFiles a.orig a.rec a.txt b.txt bad.txt e.orig e.rec e.txt
  expectExit 0 "$tool" "${words[0]}" --help
  grep -q "^Usage: tandrel-rec ${words[0]} IN -o OUT" out || fail "${words[0]} --help said: $(cat out)"
  # Without its option, or without -o, the edit is refused and writes nothing.
  expectExit 2 "$tool" "${words[0]}" e.rec -o out.rec
  expectExit 2 "$tool" "${words[@]}" e.rec
  expectFiles a.orig a.rec a.txt b.txt bad.txt e.orig e.rec e.txt
done
# An unreadable input or an output folder that does not exist leaves nothing behind.
expectExit 2 "$tool" thin missing.rec -o out.rec --min-interval 5
expectExit 2 "$tool" thin e.rec -o no/such/folder/out.rec --min-interval 5
expectFiles a.orig a.rec a.txt b.txt bad.txt e.orig e.rec e.txt
# pack refuses its own input as output too.
expectExit 2 "$tool" pack a.txt -o a.txt --force
grep -q "a.txt is the input file" err || fail "pack onto its input: $(cat err)"
# The delays on the way: three times as fast, with the rounding carried.
"$tool" retime e.rec -o - --speed 3 | "$tool" dump - >retimed.txt
[ "$(grep -c -E '^(3|4|2|1) ' retimed.txt)" -eq 5 ] || fail "retime --speed 3 gave: $(cat retimed.txt)"
grep -v '^tandrel-rec' retimed.txt | cut -d' ' -f1 | tr '\n' ' ' >delays
[ "$(cat delays)" = "3 3 4 1 2 " ] || fail "retime --speed 3 delays are $(cat delays)"
rm -f retimed.txt delays
expectExit 2 "$tool" retime e.rec -o out.rec --speed 0
expectExit 2 "$tool" retime e.rec -o out.rec --speed 2 --max-pause 5
expectExit 2 "$tool" rescale e.rec -o out.rec --from 1920 --to 800x600
expectExit 2 "$tool" strip e.rec -o out.rec --moves=yes
expectExit 2 "$tool" jitter e.rec -o out.rec --ms 5
expectExit 2 "$tool" thin e.rec -o out.rec --min-interval -1
expectExit 2 "$tool" info e.rec --min-interval 5
expectFiles a.orig a.rec a.txt b.txt bad.txt e.orig e.rec e.txt

if [ $failures -ne 0 ]; then
  echo "$failures check(s) failed"
  exit 1
fi
echo "all command-line checks passed"
