"""Steps that the run-log and one-Tandrel tests share: where the run log lies in the Wine
prefix, its lines split into fields, and the key presses the fixture saw."""

import getpass
import glob
import os
import re
import urllib.parse

import tandrel_e2e as e2e

VK_A, VK_B = 0x41, 0x42
TIME_FIELD = re.compile(r"^\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d[+-]\d\d:\d\d$")


def run_log_folders():
    """%LOCALAPPDATA%\\Tandrel of every user of the build's prefix."""
    return glob.glob(os.path.join(e2e.WINEPREFIX, "drive_c", "users", "*", "AppData", "Local", "Tandrel"))


def fill_run_log(size):
    """A log of `size` bytes of earlier lines (Wine names the prefix's user after the Linux
    one); returns its path."""
    folder = os.path.join(e2e.WINEPREFIX, "drive_c", "users", getpass.getuser(), "AppData", "Local", "Tandrel")
    os.makedirs(folder, exist_ok=True)
    line = b"earlier\r\n"
    with open(os.path.join(folder, "Tandrel.log"), "wb") as f:
        f.write(line * (size // len(line)) + b"x" * (size % len(line)))
    return os.path.join(folder, "Tandrel.log")


def clear_run_log():
    for folder in run_log_folders():
        for name in ("Tandrel.log", "Tandrel.log.1"):
            path = os.path.join(folder, name)
            if os.path.exists(path):
                os.remove(path)


def run_log_lines():
    """Every line of the run log, each split into its seven fields, the path unescaped (as a
    script would with [uri]::UnescapeDataString). Fails on a line that is not whole."""
    lines = []
    for folder in run_log_folders():
        path = os.path.join(folder, "Tandrel.log")
        if not os.path.exists(path):
            continue
        with open(path, "rb") as f:
            data = f.read().decode("utf-8")
        assert data == "" or data.endswith("\r\n"), "the log ends with a whole line: %r" % data[-200:]
        for line in data.split("\r\n")[:-1]:
            fields = line.split("\t")
            assert len(fields) == 7, "a line of seven fields: %r" % line
            assert TIME_FIELD.match(fields[0]), "the local time with its offset: %r" % line
            lines.append({"time": fields[0], "pid": int(fields[1]), "word": fields[2],
                          "passes": int(fields[3]), "speed": int(fields[4]), "repeats": int(fields[5]),
                          "path": urllib.parse.unquote(fields[6])})
    return lines


def key_downs(fixture, vk, since=0):
    return [e for e in fixture.events()[since:] if e["type"] == "key" and e["vk"] == vk and e["args"][0] == "down"]
