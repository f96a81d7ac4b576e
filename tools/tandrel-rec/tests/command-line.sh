#!/usr/bin/env bash
# The tandrel-rec program on real files: pack and the edits replace nothing without --force,
# never write onto their input and leave nothing behind when they fail, text and binary pass
# through standard input and output, and the exit status follows the convention (0 done,
# 1 check findings, 2 bad usage or input); output that cannot be written is never a success,
# and an interrupted run leaves nothing behind.
# Usage: command-line.sh PATH/TO/tandrel-rec [PATH/TO/tandrel-rec-without-sanitizers]
# (the second runs under a memory limit, which a program built with sanitizers cannot)
set -u
toolPath=$1
boundedToolPath=${2:-$1}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
# Every call has its own time limit, so a hang fails in a minute, not at ctest's limit.
tool() { timeout 60 "$toolPath" "$@"; }
# expectExit CODE COMMAND...: runs the command, its stdout to out, its stderr to err.
expectExit() {
  local want=$1; shift
  "$@" >out 2>err
  local got=$?
  [ "$got" -eq "$want" ] || fail "$* exited $got, expected $want ($(cat err))"
}
# expectFullDisk COMMAND...: with standard output on a full disk, the command fails (exit 2)
# and says so, whatever it writes. The full disk is the test's own: a file already at the size
# limit (ulimit -f, in KiB; SIGXFSZ ignored so a write fails with EFBIG instead of ending the
# run), with room below the limit for the message on err. No test writes to a device of the
# machine's: a fault that replaced its output would replace that device.
expectFullDisk() {
  printf '%1024s' '' >full.out
  (trap '' XFSZ && ulimit -f 1 && "$@") >>full.out 2>err
  local got=$?
  rm -f full.out
  [ "$got" -eq 2 ] || fail "$* onto a full disk exited $got, expected 2"
  grep -q "^tandrel-rec: cannot write standard output" err || fail "$* onto a full disk said: $(cat err)"
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

expectExit 0 tool pack a.txt -o a.rec
[ "$(stat -c %s a.rec)" -eq 48 ] || fail "a.rec is not three records"
cp a.rec a.orig

# An existing output stays as it is without --force.
expectExit 2 tool pack b.txt -o a.rec
grep -q "already exists" err || fail "no word on the existing file: $(cat err)"
cmp -s a.rec a.orig || fail "a.rec was changed without --force"
expectFiles a.orig a.rec a.txt b.txt bad.txt

# Malformed text: its line on stderr, no output file, no temporary file.
expectExit 2 tool pack bad.txt -o new.rec
grep -q "^bad.txt:3: " err || fail "no FILE:LINE message: $(cat err)"
expectFiles a.orig a.rec a.txt b.txt bad.txt
# ... nor does it touch an output that --force would replace.
expectExit 2 tool pack bad.txt -o a.rec --force
cmp -s a.rec a.orig || fail "a failed pack changed a.rec"

expectExit 0 tool pack --force b.txt -o a.rec
[ "$(stat -c %s a.rec)" -eq 16 ] || fail "--force did not replace a.rec"
expectFiles a.orig a.rec a.txt b.txt bad.txt

# Standard input and output, both ways, byte for byte.
tool dump - <a.orig | tool pack - -o - >piped.rec || fail "dump | pack through pipes failed"
cmp -s piped.rec a.orig || fail "the piped round trip changed the bytes"
rm -f piped.rec

expectExit 0 tool check a.orig
expectExit 1 tool check a.rec
grep -q "^record 1 (byte 0): key Shift pressed here is still held" out || fail "check said: $(cat out)"
expectExit 0 tool info --speed 2 a.orig
grep -q "at speed 2" out || fail "info said: $(cat out)"

expectExit 2 tool pack a.txt
expectExit 2 tool info a.orig --speed 11
expectExit 2 tool frobnicate a.orig
expectExit 2 tool dump missing.rec
grep -q "missing.rec" err || fail "the unreadable file is not named: $(cat err)"
expectExit 0 tool --version
grep -q -E '^tandrel-rec [0-9]+\.[0-9]+' out || fail "--version said: $(cat out)"

# Output that does not reach its destination is no success, for every command: a full disk.
expectFullDisk tool --help
expectFullDisk tool --version
expectFullDisk tool check --help
expectFullDisk tool dump a.orig
expectFullDisk tool pack a.txt -o -
expectFullDisk tool info a.orig
expectFullDisk tool check a.orig
expectFullDisk tool check a.rec

# The edits write a new recording under the same rules as pack, and never touch their input.
printf 'tandrel-rec 1\n10 move 1 1\n10 move 2 2\n10 move 3 3\n5 button left down\n5 button left up\n' >e.txt
tool pack e.txt -o e.rec || fail "cannot pack e.txt"
cp e.rec e.orig
# Every edit, with the options it runs with here and what it does without any option: a new
# edit needs a row (the names are held to the list that --help prints).
#           edit     options                 without options
editTable=("retime | --speed 3             | refused"
           "retime | --fixed-delay 5       | refused"
           "retime | --max-pause 7         | refused"
           "thin   | --min-interval 15     | refused"
           "strip  | --moves               | refused"
           "rescale| --from 2x2 --to 4x4   | refused"
           "jitter | --ms 3 --seed 1       | refused")
tableNames=$(for row in "${editTable[@]}"; do echo "${row%%|*}"; done | tr -d ' ' | sort -u | tr '\n' ' ')
helpNames=$(tool --help | sed -n '/^Edits/,/^$/p' | grep -o -E '^  [a-z]+ IN' | cut -d' ' -f3 | sort | tr '\n' ' ')
[ "$tableNames" = "$helpNames" ] || fail "the table has the edits '$tableNames', --help '$helpNames'"
for row in "${editTable[@]}"; do
  IFS='|' read -r name options withoutOptions <<<"$row"
  read -r -a words <<<"$name $options"
  read -r withoutOptions <<<"$withoutOptions"
  edit="${words[*]}"
  rm -f out.rec
  expectExit 0 tool "${words[@]}" e.rec -o out.rec
  [ -s out.rec ] || fail "$edit wrote nothing"
  cp out.rec first.rec
  # An existing output stays without --force, and is replaced with it.
  expectExit 2 tool "${words[@]}" a.orig -o out.rec
  grep -q "already exists" err || fail "$edit: no word on the existing file: $(cat err)"
  cmp -s out.rec first.rec || fail "$edit changed out.rec without --force"
  expectExit 0 tool "${words[@]}" a.orig -o out.rec --force
  cmp -s out.rec first.rec && fail "$edit --force did not replace out.rec"
  # Never onto the input, under any of its names, --force or not.
  ln -f e.rec e.link
  for same in e.rec ./e.rec e.link; do
    expectExit 2 tool "${words[@]}" e.rec -o "$same" --force
    grep -q "is the input file" err || fail "$edit -o $same: $(cat err)"
  done
  rm -f e.link
  cmp -s e.rec e.orig || fail "$edit changed its input"
  # Standard input to standard output gives the same bytes as files do.
  tool "${words[@]}" - -o - <e.rec >piped.rec || fail "$edit through pipes failed"
  cmp -s piped.rec first.rec || fail "$edit through pipes wrote other bytes"
  rm -f piped.rec first.rec out.rec
  expectFiles a.orig a.rec a.txt b.txt bad.txt e.orig e.rec e.txt
  expectExit 0 tool "${words[0]}" --help
  grep -q "^Usage: tandrel-rec ${words[0]} IN -o OUT" out || fail "${words[0]} --help said: $(cat out)"
  # Without -o the edit is refused and writes nothing; without its options as the table says.
  expectExit 2 tool "${words[@]}" e.rec
  expectFiles a.orig a.rec a.txt b.txt bad.txt e.orig e.rec e.txt
  if [ "$withoutOptions" = refused ]; then
    expectExit 2 tool "${words[0]}" e.rec -o out.rec
    expectFiles a.orig a.rec a.txt b.txt bad.txt e.orig e.rec e.txt
  else
    expectExit 0 tool "${words[0]}" e.rec -o out.rec
    rm -f out.rec
  fi
  # Its output on a full disk: through standard output, and written into a device of the
  # test's own (a full-disk device made here; only root may make one).
  expectFullDisk tool "${words[@]}" e.rec -o -
  if mknod full c 1 7 2>/dev/null; then
    expectExit 2 tool "${words[@]}" e.rec -o full --force
    grep -q "cannot write full" err || fail "$edit into a full-disk device said: $(cat err)"
    [ -c full ] || fail "$edit --force replaced the device instead of writing into it"
    rm -f full
  elif [ "$name" = "retime" ]; then
    echo "note: not root, so no device of the test's own: the edits into a device are not tried"
  fi
done
# An unreadable input or an output folder that does not exist leaves nothing behind.
expectExit 2 tool thin missing.rec -o out.rec --min-interval 5
expectExit 2 tool thin e.rec -o no/such/folder/out.rec --min-interval 5
expectFiles a.orig a.rec a.txt b.txt bad.txt e.orig e.rec e.txt
# pack refuses its own input as output too.
expectExit 2 tool pack a.txt -o a.txt --force
grep -q "a.txt is the input file" err || fail "pack onto its input: $(cat err)"
# The delays on the way: three times as fast, with the rounding carried.
tool retime e.rec -o - --speed 3 | tool dump - >retimed.txt
[ "$(grep -c -E '^(3|4|2|1) ' retimed.txt)" -eq 5 ] || fail "retime --speed 3 gave: $(cat retimed.txt)"
grep -v '^tandrel-rec' retimed.txt | cut -d' ' -f1 | tr '\n' ' ' >delays
[ "$(cat delays)" = "3 3 4 1 2 " ] || fail "retime --speed 3 delays are $(cat delays)"
rm -f retimed.txt delays
expectExit 2 tool retime e.rec -o out.rec --speed 0
expectExit 2 tool retime e.rec -o out.rec --speed 2 --max-pause 5
expectExit 2 tool rescale e.rec -o out.rec --from 1920 --to 800x600
expectExit 2 tool strip e.rec -o out.rec --moves=yes
expectExit 2 tool jitter e.rec -o out.rec --ms 5
expectExit 2 tool thin e.rec -o out.rec --min-interval -1
expectExit 2 tool info e.rec --min-interval 5
expectFiles a.orig a.rec a.txt b.txt bad.txt e.orig e.rec e.txt

# A held key repeats its press: the file still plays as written, and nothing is held at the end.
printf 'tandrel-rec 1\n0 key Shift down\n500 key Shift down\n33 key Shift down\n5 key A down\n5 key A up\n40 key Shift up\n' >held.txt
tool pack held.txt -o held.rec || fail "cannot pack held.txt"
expectExit 0 tool check held.rec
grep -q "^record 6 (byte 80): note: key Shift released here after 3 presses" out || fail "check on repeats said: $(cat out)"
grep -q "6 records, played as written (see the notes)" out || fail "check on repeats said: $(cat out)"
expectExit 0 tool info held.rec
grep -q "^held at end:   nothing" out || fail "info on repeats said: $(cat out)"
rm -f held.txt held.rec

# The X buttons and the horizontal wheel: packed, counted, checked, dumped back as written.
printf 'tandrel-rec 1\n0 button x1 down\n5 button x1 up\n5 button x2 down\n3 hwheel -2\n4 hwheel 1\n' >x.txt
tool pack x.txt -o x.rec || fail "cannot pack x.txt"
tool dump x.rec | grep -v '^tandrel-rec' >x.dumped
grep -v '^tandrel-rec' x.txt | cmp -s - x.dumped || fail "the X buttons came back as: $(cat x.dumped)"
expectExit 0 tool info x.rec
grep -q "(key 0, button 0, x button 3, move 0, wheel 0, hwheel 2)" out || fail "info on X buttons said: $(cat out)"
expectExit 1 tool check x.rec
[ "$(cat out)" = "record 3 (byte 32): X2 button pressed here is still held at the end; the player releases it" ] ||
  fail "check on X buttons said: $(cat out)"
tool strip x.rec -o - --buttons | tool dump - | grep -c -E '^[0-9]+ hwheel' | grep -q -x 2 ||
  fail "strip --buttons kept X buttons or lost the horizontal wheel"
[ "$(tool strip x.rec -o - --wheel | wc -c)" -eq 48 ] || fail "strip --wheel kept a horizontal wheel"
rm -f x.txt x.rec x.dumped

# jitter follows its seed: another seed gives another file, the same seed the same file, here
# and on every system (the checksum is pinned).
printf 'tandrel-rec 1\n100 move 1 1\n100 move 2 2\n100 move 3 3\n100 key A down\n100 key A up\n100 wheel 1\n' >j.txt
tool pack j.txt -o j.rec || fail "cannot pack j.txt"
tool jitter j.rec -o j1.rec --ms 50 --seed 1 || fail "jitter --seed 1 failed"
tool jitter j.rec -o j2.rec --ms 50 --seed 2 || fail "jitter --seed 2 failed"
tool jitter --seed=1 j.rec --ms 50 -o j1again.rec || fail "jitter --seed=1 failed"
cmp -s j1.rec j2.rec && fail "jitter with seeds 1 and 2 wrote the same file"
cmp -s j1.rec j1again.rec || fail "jitter with seed 1 wrote two different files"
[ "$(sha256sum <j1.rec | cut -c1-16)" = "099bff914e5963a6" ] || fail "jitter --seed 1 wrote $(tool dump j1.rec)"
rm -f j.txt j.rec j1.rec j2.rec j1again.rec

# Never onto the input, even when it comes as standard input or leaves as standard output:
# the files are compared by identity, whatever their names.
cp e.orig e.rec
expectExit 2 tool retime - -o e.rec --force --speed 2 <e.rec
grep -q "e.rec is the input file" err || fail "standard input on the output: $(cat err)"
tool strip e.rec -o - --keys 1<>e.rec 2>err
[ $? -eq 2 ] && grep -q "standard output is the input file" err || fail "standard output on the input: $(cat err)"
tool dump e.rec 1<>e.rec 2>err
[ $? -eq 2 ] || fail "dump onto its input: $(cat err)"
cmp -s e.rec e.orig || fail "a refused command changed its input"

# Nothing is clobbered that is not a file: a dangling link stays, --force or not; a pipe is
# written into, never replaced.
ln -s nowhere dangling
expectExit 2 tool retime e.rec -o dangling --speed 2
grep -q "already exists" err || fail "dangling link without --force: $(cat err)"
expectExit 2 tool retime e.rec -o dangling --speed 2 --force
[ "$(readlink dangling)" = nowhere ] && [ ! -e nowhere ] || fail "the dangling link was replaced or followed"
rm -f dangling
mkfifo pipe
expectExit 2 tool retime e.rec -o pipe --speed 2
cat pipe >from-pipe &
reader=$!
expectExit 0 tool retime e.rec -o pipe --speed 2 --force
if [ -p pipe ]; then wait $reader; else fail "the pipe was replaced"; kill $reader; fi
tool retime e.rec -o - --speed 2 | cmp -s - from-pipe || fail "the pipe did not get the recording"
rm -f pipe from-pipe
mkdir folder
expectExit 2 tool retime e.rec -o folder --speed 2 --force
[ -d folder ] || fail "the folder was replaced"
rmdir folder
expectFiles a.orig a.rec a.txt b.txt bad.txt e.orig e.rec e.txt

# pack across the edge of its read chunk (1 MiB): many ordinary lines, byte for byte both ways.
tool dump - </dev/null >many.txt
awk 'BEGIN { for (i = 0; i < 150000; i++) {
  if (i % 3 == 0) printf "%d move %d %d\n", i % 17, i % 1920, -(i % 1080)
  else if (i % 3 == 1) printf "%d key Shift down\n", i % 5
  else printf "%d wheel %d\n", i % 250, i % 7 - 3 } }' >>many.txt
[ "$(stat -c %s many.txt)" -gt $((2 * 1048576)) ] || fail "many.txt is not longer than two chunks"
tool pack many.txt -o many.rec || fail "cannot pack many.txt: $(cat err)"
[ "$(stat -c %s many.rec)" -eq $((150000 * 16)) ] || fail "many.rec is $(stat -c %s many.rec) bytes"
tool dump many.rec | cmp -s - many.txt || fail "dump of pack of many lines is not the text"
tool dump many.rec | tool pack - -o - | cmp -s - many.rec || fail "many lines through pipes changed"
rm -f many.txt many.rec
# A line of exactly the longest length pack takes (1 MiB without its line end) is packed; one
# byte more is its line number, exit 2, nothing written.
prefix='1 key A up  # '
{ printf 'tandrel-rec 1\n0 key A down\n%s' "$prefix"; head -c $((1048576 - ${#prefix})) /dev/zero | tr '\0' x
  printf '\n2 key B down\n'; } >long.txt
expectExit 0 tool pack long.txt -o long.rec
[ "$(stat -c %s long.rec 2>/dev/null)" = 48 ] || fail "pack of a longest line did not write its three records: $(cat err)"
rm -f long.rec
{ printf 'tandrel-rec 1\n0 key A down\n%s' "$prefix"; head -c $((1048577 - ${#prefix})) /dev/zero | tr '\0' x; echo; } >long.txt
expectExit 2 tool pack long.txt -o long.rec
grep -q -x "long.txt:3: the line is longer than 1048576 bytes" err || fail "pack of a long line said: $(cat err)"
[ -e long.rec ] && fail "pack of a long line wrote long.rec"
rm -f long.txt
expectFiles a.orig a.rec a.txt b.txt bad.txt e.orig e.rec e.txt

# Interrupted while it writes, by Ctrl+C, SIGTERM or the terminal's hangup: the temporary file
# goes and the output stays as it was. (Signals that bash has a background job ignore are
# given back their default first.)
for signal in INT TERM HUP; do
  printf 'before' >kept.rec
  mkfifo feed
  env --default-signal=INT,TERM,HUP "$toolPath" pack - -o kept.rec --force <feed >out 2>err &
  runner=$!
  # Its time limit, as timeout gives the others.
  (sleep 60 && kill -KILL $runner) >/dev/null 2>&1 &
  guard=$!
  exec 3>feed
  printf 'tandrel-rec 1\n0 key A down\n' >&3
  for _ in $(seq 300); do
    compgen -G 'kept.rec.tmp*' >/dev/null && break
    sleep 0.1
  done
  compgen -G 'kept.rec.tmp*' >/dev/null || fail "SIG$signal: pack made no temporary file"
  kill -s "$signal" $runner
  wait $runner 2>/dev/null
  status=$?
  exec 3>&-
  kill $guard 2>/dev/null
  [ $status -eq $((128 + $(kill -l "$signal"))) ] || fail "SIG$signal: pack ended with $status ($(cat err))"
  [ "$(cat kept.rec)" = before ] || fail "SIG$signal: the output was changed"
  rm -f feed kept.rec
  expectFiles a.orig a.rec a.txt b.txt bad.txt e.orig e.rec e.txt
done

# A file larger than the memory allowed: info and an edit go through it a piece at a time, and
# pack holds no more than its longest line, so a 600 MB line is an error of that line.
truncate -s 600M big.rec
(ulimit -v 262144 && exec timeout 120 "$boundedToolPath" info big.rec) >out 2>err
[ $? -eq 0 ] || fail "info on 600 MB under 256 MB of memory: $(cat err)"
grep -q "^records:       39321600 (key 39321600," out || fail "info on 600 MB said: $(cat out)"
(ulimit -v 262144 && exec timeout 120 "$boundedToolPath" strip big.rec -o - --moves | wc -c) >out 2>err
[ "$(cat out)" -eq 629145600 ] || fail "strip on 600 MB wrote $(cat out) bytes: $(cat err)"
(ulimit -v 262144 && exec timeout 120 "$boundedToolPath" pack big.rec -o big.txt) >out 2>err
[ $? -eq 2 ] && grep -q "^big.rec:1: the line is longer than" err || fail "pack of a 600 MB line under 256 MB: $(cat err)"
rm -f big.rec
expectFiles a.orig a.rec a.txt b.txt bad.txt e.orig e.rec e.txt

# Memory that runs out while the temporary file is open: a message, exit 2, and no temporary
# file left. The limit rises from where the tool can just start until pack and an edit go
# through, so that some limits fall between the temporary file's creation and the buffers
# allocated after it.
outOfMemory=0
for command in "pack a.txt -o oom.rec" "retime a.orig -o oom.rec --speed 2"; do
  read -r -a words <<<"$command"
  for ((limit = 2048; limit <= 131072; limit += 256)); do
    (ulimit -v $limit && exec timeout 60 "$boundedToolPath" "${words[@]}") >out 2>err
    status=$?
    compgen -G 'oom.rec.tmp*' >/dev/null && fail "${words[0]} under $limit KiB left its temporary file: $(cat err)"
    rm -f oom.rec.tmp*
    if grep -q "^tandrel-rec: out of memory" err; then
      outOfMemory=$((outOfMemory + 1))
      [ $status -eq 2 ] || fail "${words[0]} out of memory exited $status"
      [ -e oom.rec ] && fail "${words[0]} out of memory wrote oom.rec"
    fi
    [ $status -eq 0 ] && break
  done
  [ -e oom.rec ] || fail "${words[0]} never went through under up to 128 MiB: $(cat err)"
  rm -f oom.rec
done
[ $outOfMemory -gt 0 ] || fail "no limit made pack or retime run out of memory"
expectFiles a.orig a.rec a.txt b.txt bad.txt e.orig e.rec e.txt

if [ $failures -ne 0 ]; then
  echo "$failures check(s) failed"
  exit 1
fi
echo "all command-line checks passed"
