#!/usr/bin/env python3
"""Checks that every test that ctest knows in the given build folders has a time limit (its
TIMEOUT property), so that a hang fails within minutes; names each one that has none.

    check-timeouts.py BUILD_DIR...
"""
import json
import subprocess
import sys

missing = []
for build in sys.argv[1:]:
    listing = subprocess.run(["ctest", "--test-dir", build, "--show-only=json-v1"], capture_output=True, text=True,
                             check=True).stdout
    for test in json.loads(listing)["tests"]:
        if not any(p["name"] == "TIMEOUT" for p in test.get("properties", [])):
            missing.append(f"{build}: {test['name']}")
if missing:
    print("Tests without a time limit (set TIMEOUT where the test is registered):")
    print("\n".join("  " + name for name in missing))
    sys.exit(1)
print("Time limits: every test has one.")
