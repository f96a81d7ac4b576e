#!/usr/bin/env python3
"""Makes the release zip from the shipped files, byte for byte the same for the same files and
the same commit, whoever builds it, wherever and whenever (Python 3 standard library only):

    make-release-zip.py --name Tandrel-1.4-win32 --out-dir build --source-dir . FILE...

The zip holds one folder, NAME, with the FILEs in the order given and SHA256SUMS.txt (the
FILEs' SHA-256 sums in the format of `sha256sum`, to check the unpacked files with). Every
entry carries the commit's time (SOURCE_DATE_EPOCH when set, otherwise the time of the source
folder's last git commit) in UTC, the same permissions and no owner; the order is fixed and the
compression level too. Beside the zip, NAME.zip.sha256 holds the zip's own sum, also in the
format of `sha256sum`. Both files are written whole or not at all.
"""

import argparse
import hashlib
import os
import subprocess
import sys
import time
import zipfile

# Zip times start in 1980; the DOS date fields cannot hold an earlier one.
ZIP_EPOCH = 315532800  # 1980-01-01 00:00:00 UTC


def commit_time(source_dir):
    """Seconds since 1970 of the commit being built: SOURCE_DATE_EPOCH wins (the usual way to
    ask a build for a fixed time), then git; 1980-01-01 when neither is there."""
    value = os.environ.get("SOURCE_DATE_EPOCH", "").strip()
    if value:
        return int(value)
    try:
        out = subprocess.run(["git", "-C", source_dir, "log", "-1", "--format=%ct"],
                             capture_output=True, text=True, check=True).stdout.strip()
        return int(out)
    except (OSError, subprocess.CalledProcessError, ValueError):
        print("make-release-zip: neither SOURCE_DATE_EPOCH nor a git commit: the entries carry "
              "1980-01-01", file=sys.stderr)
        return ZIP_EPOCH


def entry(name, date_time, mode):
    """A zip entry with nothing of the machine that makes it: a Unix mode, no owner, UTC time."""
    info = zipfile.ZipInfo(name, date_time)
    info.create_system = 3  # Unix, whatever system makes the zip: the mode bits mean the same
    info.external_attr = mode << 16
    if name.endswith("/"):
        info.external_attr |= 0x10  # the MS-DOS directory flag, for Windows' own unpacker
    else:
        info.compress_type = zipfile.ZIP_DEFLATED
    return info


def write_whole(path, data):
    """Writes a new file beside the old one and puts it in its place only when complete."""
    partial = path + ".partial"
    with open(partial, "wb") as f:
        f.write(data)
    os.replace(partial, path)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--name", required=True, help="the zip's name without .zip, and its folder")
    parser.add_argument("--out-dir", required=True)
    parser.add_argument("--source-dir", required=True, help="where git finds the commit")
    parser.add_argument("files", nargs="+")
    args = parser.parse_args()

    seconds = max(commit_time(args.source_dir), ZIP_EPOCH)
    date_time = time.gmtime(seconds)[:6]

    contents = []
    for path in args.files:
        with open(path, "rb") as f:
            contents.append((os.path.basename(path), f.read()))
    sums = "".join("%s  %s\n" % (hashlib.sha256(data).hexdigest(), name) for name, data in contents)
    contents.append(("SHA256SUMS.txt", sums.encode("ascii")))

    zip_path = os.path.join(args.out_dir, args.name + ".zip")
    partial = zip_path + ".partial"
    with zipfile.ZipFile(partial, "w") as z:
        z.writestr(entry(args.name + "/", date_time, 0o40755), b"")
        for name, data in contents:
            z.writestr(entry(args.name + "/" + name, date_time, 0o100644), data, compresslevel=9)
    os.replace(partial, zip_path)

    with open(zip_path, "rb") as f:
        zip_sum = hashlib.sha256(f.read()).hexdigest()
    write_whole(zip_path + ".sha256", ("%s  %s\n" % (zip_sum, args.name + ".zip")).encode("ascii"))
    print("%s  %s (entries dated %s UTC)" % (zip_sum, zip_path, time.strftime("%Y-%m-%d %H:%M:%S", time.gmtime(seconds))))
    return 0


if __name__ == "__main__":
    sys.exit(main())
