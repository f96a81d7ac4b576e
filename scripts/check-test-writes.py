#!/usr/bin/env python3
"""Checks that no test can write to a file of the machine's.

A fault in the program under test can replace or empty whatever a test points it at, so a test
points it only at targets of its own (a device made with mknod in its folder, a FIFO, a full
disk made with ulimit -f). Fails:
- any test file (tests/, tools/*/tests/) that names /dev/full;
- a line of a test script (shell or Python) that names /dev/null together with --force;
- a write of a shell test script (a redirection, or the -o / --output of a command) to an
  absolute path other than /dev/null, /dev/stdout and /dev/stderr, to a path that climbs out
  with "..", or to the home or temporary folder.
The harness (tests/harness/) sets up the display and Wine and is no test script.
Usage: check-test-writes.py [FILE...] (default: every test file). Prints each finding, exits 1.
"""
import pathlib
import re
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent
TEST_FOLDERS = ["tests"] + [str(p.relative_to(ROOT)) for p in ROOT.glob("tools/*/tests")]
NOT_TESTS = ["tests/harness/"]
TEXT_SUFFIXES = {".sh", ".py", ".cpp", ".h", ".cmake", ".txt"}
SCRIPT_SUFFIXES = {".sh", ".py"}
HARMLESS_TARGETS = {"/dev/null", "/dev/stdout", "/dev/stderr", "-"}
OWN_FOLDER_ESCAPES = ("~", "$HOME", "${HOME}", "$TMPDIR", "${TMPDIR}")

# A redirection that writes (>, >>, >|, <>, &>), not a duplication such as 2>&1 or 3>&-.
REDIRECTION = re.compile(r"(?:&>>?|\d*(?:>>|>\||<>|>))(?!&)\s*(\"[^\"]*\"|'[^']*'|[^\s;|&()<>]+)")
OUTPUT_OPTION = re.compile(r"(?:\s-o|\s--output)(?:=|\s+)(\"[^\"]*\"|'[^']*'|[^\s;|&()<>]+)")


def test_files():
    for folder in TEST_FOLDERS:
        for path in sorted((ROOT / folder).rglob("*")):
            relative = str(path.relative_to(ROOT))
            if path.is_file() and path.suffix in TEXT_SUFFIXES and not relative.startswith(tuple(NOT_TESTS)):
                yield path


def code_of(line, suffix):
    """The line without a whole-line comment."""
    stripped = line.lstrip()
    if suffix in (".sh", ".py") and stripped.startswith("#"):
        return ""
    return line


def target_problem(target):
    target = target.strip("\"'")
    if target in HARMLESS_TARGETS:
        return None
    if target.startswith(OWN_FOLDER_ESCAPES):
        return "writes outside its own folder"
    if target.startswith("/"):
        return "writes to a path of the machine's"
    if ".." in target.split("/"):
        return "climbs out of its own folder"
    return None


def findings_of(path):
    suffix = path.suffix
    for number, line in enumerate(path.read_text(encoding="utf-8", errors="replace").splitlines(), 1):
        if "/dev/full" in line:
            yield number, "names /dev/full (make a full disk or device of the test's own)"
        if suffix not in SCRIPT_SUFFIXES:
            continue
        code = code_of(line, suffix)
        if "/dev/null" in code and "--force" in code:
            yield number, "names /dev/null with --force (a fault would replace it)"
        if suffix != ".sh":
            continue
        for pattern in (REDIRECTION, OUTPUT_OPTION):
            for match in pattern.finditer(code):
                problem = target_problem(match.group(1))
                if problem:
                    yield number, "%s: %s" % (problem, match.group(1))


def main(arguments):
    paths = [pathlib.Path(a).resolve() for a in arguments] or list(test_files())
    failed = False
    for path in paths:
        for number, message in findings_of(path):
            failed = True
            shown = path.relative_to(ROOT) if path.is_relative_to(ROOT) else path
            print("%s:%d: %s" % (shown, number, message))
    if failed:
        return 1
    print("Test writes: no test points at a file of the machine's.")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
