"""The release zip as a user gets it: its sum beside it matches, it unpacks into one folder
with the shipped files in a fixed order and the sums of them inside, and the unpacked files
work: that Tandrel.exe, started from a clean working directory, shows its window and makes the
Records folder there (and nowhere else), and that tandrel-rec.exe tells its version."""

import hashlib
import os
import subprocess
import unittest
import zipfile

import tandrel_e2e as e2e

SHIPPED = ["Tandrel.exe", "KeyBoardHook.dll", "MouseHook.dll", "tandrel-rec.exe", "LIESMICH.txt"]


def sha256(path):
    with open(path, "rb") as f:
        return hashlib.sha256(f.read()).hexdigest()


class ReleaseZip(unittest.TestCase):

    def test_unpacked_zip_checks_out_and_runs(self):
        # The version the program shows in its title is the project's.
        version = e2e.MAIN_WINDOW_TITLE.split()[-1]
        name = "Tandrel-%s-win32" % version
        zip_path = os.path.join(e2e.BUILD_DIR, name + ".zip")
        self.assertTrue(os.path.isfile(zip_path), "the build makes %s" % zip_path)

        # The sum beside the zip, in the format of sha256sum.
        with open(zip_path + ".sha256", encoding="ascii") as f:
            self.assertEqual(f.read(), "%s  %s.zip\n" % (sha256(zip_path), name))

        with e2e.Session() as s:
            unpacked = s.make_dir("unpacked")
            with zipfile.ZipFile(zip_path) as z:
                self.assertEqual(z.namelist(), [name + "/"] + [name + "/" + f for f in SHIPPED + ["SHA256SUMS.txt"]])
                z.extractall(unpacked)
            folder = os.path.join(unpacked, name)

            # SHA256SUMS.txt names the five files with their sums, as sha256sum -c reads it.
            with open(os.path.join(folder, "SHA256SUMS.txt"), encoding="ascii", newline="") as f:
                lines = f.read().splitlines(keepends=True)
            self.assertEqual(lines, ["%s  %s\n" % (sha256(os.path.join(folder, f)), f) for f in SHIPPED])

            # The program from the unpacked folder, in a working directory of its own.
            work = s.make_dir("clean")
            tandrel = s.start_tandrel([], cwd=work, dist=folder)
            s.wait_window(lambda w: w["visible"] and w["title"] == e2e.MAIN_WINDOW_TITLE, "the main window")
            # Made once the hooks and the tray icon are in place, which comes after the window shows.
            e2e.wait_for(lambda: os.path.isdir(os.path.join(work, "Records")), 30,
                         "Records is made in the working directory")
            self.assertEqual(sorted(os.listdir(folder)), sorted(SHIPPED + ["SHA256SUMS.txt"]),
                             "nothing is written beside the program")
            s.focus_window(e2e.MAIN_WINDOW_TITLE)
            s.key("alt+F4")
            self.assertEqual(s.wait_exit(tandrel, 60), 0)

            tool = subprocess.run(["wine", os.path.join(folder, "tandrel-rec.exe"), "--version"], cwd=work,
                                  env=s.env, stdin=subprocess.DEVNULL, capture_output=True, timeout=120)
            self.assertEqual(tool.returncode, 0, tool.stderr)
            self.assertEqual(tool.stdout.decode("ascii").replace("\r\n", "\n"), "tandrel-rec %s\n" % version)


if __name__ == "__main__":
    e2e.main()
