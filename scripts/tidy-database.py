#!/usr/bin/env python3
"""Writes the compile database that scripts/check-tidy.sh hands to clang-tidy, made from a
build's own compile_commands.json: the project's own code only (src/, hookmodules/,
tools/tandrel-rec/; their tests and the test suite are left out), each file once, with its
defines, include folders and standard as the build compiles it.

For the Windows build (--mingw) the command becomes clang's for i686-w64-mingw32, with the
MinGW compiler's own C++ headers (clang would otherwise take the build machine's), since
clang-tidy cannot run the MinGW g++.

    tidy-database.py BUILD_DIR OUT_DIR [--mingw] [--root ROOT]
"""
import argparse
import json
import os
import re
import shlex
import subprocess
import sys

OWN_CODE = re.compile(r"^(src|hookmodules|tools/tandrel-rec)/")
NOT_CHECKED = re.compile(r"(^|/)tests/")
# What clang-tidy needs of a command: the rest (optimisation, warnings, sections, path maps)
# changes nothing it reports, and some of GCC's flags clang does not know.
KEPT_PREFIXES = ("-D", "-I", "-isystem", "-std=", "-fno-exceptions", "-include")


def mingw_include_folders():
    """The MinGW g++'s own system include folders, in its order."""
    compiler = "i686-w64-mingw32-g++-posix"
    out = subprocess.run([compiler, "-x", "c++", "-E", "-v", os.devnull], capture_output=True, text=True,
                         check=True).stderr
    folders, inside = [], False
    for line in out.splitlines():
        if line.startswith("#include <...> search starts here"):
            inside = True
        elif line.startswith("End of search list"):
            break
        elif inside:
            folders.append(os.path.normpath(line.strip()))
    if not folders:
        sys.exit("tidy-database: no include folders from " + compiler)
    return folders


def expand(words, directory):
    """The words of a command with its response files (@file, CMake's includes) read in."""
    expanded = []
    for word in words:
        if word.startswith("@"):
            with open(os.path.join(directory, word[1:]), encoding="utf-8") as rsp:
                expanded += shlex.split(rsp.read())
        else:
            expanded.append(word)
    return expanded


def kept_flags(words):
    flags, take_next = [], False
    for word in words[1:]:
        if take_next:
            flags.append(word)
            take_next = False
        elif word in ("-I", "-isystem", "-include", "-D"):
            flags.append(word)
            take_next = True
        elif word.startswith(KEPT_PREFIXES):
            flags.append(word)
    return flags


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("build")
    parser.add_argument("out")
    parser.add_argument("--mingw", action="store_true")
    parser.add_argument("--root", default=os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
    args = parser.parse_args()
    with open(os.path.join(args.build, "compile_commands.json"), encoding="utf-8") as f:
        entries = json.load(f)
    prefix = []
    if args.mingw:
        prefix = ["clang++", "--target=i686-w64-mingw32", "-nostdinc", "-nostdinc++"]
        for folder in mingw_include_folders():
            prefix += ["-isystem", folder]
    database, seen = [], set()
    for entry in entries:
        relative = os.path.relpath(entry["file"], args.root)
        if not OWN_CODE.match(relative) or NOT_CHECKED.search(relative) or relative in seen:
            continue
        if not relative.endswith(".cpp"):
            continue
        seen.add(relative)
        words = expand(entry.get("arguments") or shlex.split(entry["command"]), entry["directory"])
        command = (prefix or ["clang++"]) + kept_flags(words) + ["-c", entry["file"]]
        database.append({"directory": entry["directory"], "file": entry["file"], "arguments": command})
    os.makedirs(args.out, exist_ok=True)
    with open(os.path.join(args.out, "compile_commands.json"), "w", encoding="utf-8") as f:
        json.dump(database, f, indent=1)
    print(len(database))


if __name__ == "__main__":
    main()
