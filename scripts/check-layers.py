#!/usr/bin/env python3
"""Checks that includes between the program's folders only point down.

The layers, lowest first: core, ui, library, recording, playback, hooks, app. A file may
include its own folder's headers and those of the folders its folder builds on (below);
the hook modules only core/HookProtocol.h and core/WheelNotches.h. Prints each include that climbs and exits 1.
"""
import pathlib
import re
import sys

BUILDS_ON = {
    "core": set(),
    "ui": {"core"},
    "library": {"core", "ui"},
    "recording": {"core", "ui", "library"},
    "playback": {"core", "ui", "recording"},
    "hooks": {"core"},
    "app": {"core", "ui", "library", "recording", "playback", "hooks"},
}
HOOK_MODULES_MAY_INCLUDE = {"core/HookProtocol.h", "core/WheelNotches.h"}

root = pathlib.Path(__file__).resolve().parent.parent
include = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)
faults = []

for path in sorted((root / "src").rglob("*")):
    if path.suffix not in {".h", ".cpp", ".rc"}:
        continue
    folder = path.relative_to(root / "src").parts[0]
    allowed = BUILDS_ON.get(folder)
    if allowed is None:
        faults.append(f"{path.relative_to(root)}: folder src/{folder} is not in the layer table")
        continue
    for name in include.findall(path.read_text(encoding="utf-8")):
        target = name.split("/")[0] if "/" in name else folder
        if target != folder and target not in allowed:
            faults.append(f"{path.relative_to(root)}: includes {name}, which src/{folder} may not build on")

for path in sorted((root / "hookmodules").glob("*.cpp")):
    for name in include.findall(path.read_text(encoding="utf-8")):
        if name not in HOOK_MODULES_MAY_INCLUDE:
            faults.append(f"{path.relative_to(root)}: includes {name}; the hook modules share only core/HookProtocol.h and core/WheelNotches.h")

for fault in faults:
    print(fault)
sys.exit(1 if faults else 0)
