#!/usr/bin/env python3
"""Lets scripts/check-tidy.sh skip the files whose last clang-tidy run was clean and that have
not changed since. A file's stamp (in TIDY_DIR/stamps, beside the compile database that
tidy-database.py wrote) holds a hash of everything its findings depend on: the file, every
header of the project's own code (a changed header checks every file again), its command in
the database, .clang-tidy and clang-tidy's version. A stamp is written only after a run
without a finding; a fresh build folder has none, so everything is checked.

    tidy-stamps.py stale TIDY_DIR             the files to check, one a line
    tidy-stamps.py record TIDY_DIR LOG_DIR    stamps each file whose log in LOG_DIR is clean
    tidy-stamps.py log-name FILE              the name of FILE's log in LOG_DIR
"""
import hashlib
import json
import os
import re
import subprocess
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
OWN_FOLDERS = ("src", "hookmodules", "tools/tandrel-rec")
HEADER_ENDINGS = (".h", ".hpp", ".inl")
FINDING = re.compile(r"^/.*:[0-9]+:[0-9]+: (warning|error): ", re.MULTILINE)
FAILED = "clang-tidy failed"  # check-tidy.sh adds it to a log when clang-tidy exits with an error


def log_name(path):
    return hashlib.sha256(path.encode()).hexdigest()[:24] + ".log"


def common_hash():
    """What every file's findings depend on besides the file and its command."""
    h = hashlib.sha256()
    h.update(subprocess.run(["clang-tidy", "--version"], capture_output=True, check=True).stdout)
    with open(os.path.join(ROOT, ".clang-tidy"), "rb") as f:
        h.update(f.read())
    for folder in OWN_FOLDERS:
        for base, dirs, names in os.walk(os.path.join(ROOT, folder)):
            dirs.sort()
            for name in sorted(names):
                if name.endswith(HEADER_ENDINGS):
                    path = os.path.join(base, name)
                    h.update(path.encode() + b"\0")
                    with open(path, "rb") as f:
                        h.update(f.read())
    return h.hexdigest()


def keys(tidy_dir):
    """Each file of the database with the hash its stamp must hold."""
    with open(os.path.join(tidy_dir, "compile_commands.json"), encoding="utf-8") as f:
        entries = json.load(f)
    common = common_hash()
    out = {}
    for entry in entries:
        h = hashlib.sha256(common.encode())
        h.update(json.dumps(entry, sort_keys=True).encode())
        with open(entry["file"], "rb") as f:
            h.update(f.read())
        out[entry["file"]] = h.hexdigest()
    return out


def stamp_path(tidy_dir, path):
    return os.path.join(tidy_dir, "stamps", log_name(path)[:-len(".log")])


def read(path):
    try:
        with open(path, encoding="utf-8") as f:
            return f.read()
    except OSError:
        return None


def main():
    command = sys.argv[1]
    if command == "log-name":
        print(log_name(sys.argv[2]))
        return
    tidy_dir = sys.argv[2]
    if command == "stale":
        for path, key in keys(tidy_dir).items():
            if read(stamp_path(tidy_dir, path)) != key:
                print(path)
    elif command == "record":
        log_dir = sys.argv[3]
        os.makedirs(os.path.join(tidy_dir, "stamps"), exist_ok=True)
        for path, key in keys(tidy_dir).items():
            log = read(os.path.join(log_dir, log_name(path)))
            if log is not None and not FINDING.search(log) and FAILED not in log:
                with open(stamp_path(tidy_dir, path), "w", encoding="utf-8") as f:
                    f.write(key)
    else:
        sys.exit("tidy-stamps: unknown command " + command)


if __name__ == "__main__":
    main()
