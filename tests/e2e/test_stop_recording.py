"""A recording that cannot go on, with the shipped program under Wine:

- the end of the session during a recording: the program ends with code 0, without a dialog,
  and the recording is written out as TempRecord.rec;
- a recording on a full disk (a 64 KB tmpfs as the working folder, mostly taken by a filler
  file): the first write that fails ends the recording with a warning, the window is back,
  and the naming dialog offers what reached the disk, a whole number of records;
- a write that stops within a record (the program's process may not make files larger than
  a limit that falls inside a record): the same, with the torn record cut off."""

import os
import resource
import signal
import subprocess
import unittest

import tandrel_e2e as e2e
from recording_steps import (NAMING_TITLE, VK_F9, main_windows, read_records, record_summary, save_recording,
                             start_program, start_recording, wait_dialog, wait_main_window)

VK_A, VK_B, VK_C, VK_D = 0x41, 0x42, 0x43, 0x44
INCOMPLETE_WARNING = "Aufzeichnung konnte nicht vollständig gespeichert werden!"
# The recorder writes 4096 bytes (256 records) at a time; the disk has room for two writes.
BLOCK = 4096
DISK_SIZE = 64 * 1024
ROOM = 2 * BLOCK
MOVES = 2000  # 32,000 bytes of records: far more than the room


def mount_small_disk(path):
    """Mounts a 64 KB tmpfs at `path` and fills all but ROOM bytes of it; returns None, or why
    it could not."""
    result = subprocess.run(["mount", "-t", "tmpfs", "-o", "size=%d" % DISK_SIZE, "tmpfs", path],
                            stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
    if result.returncode != 0:
        return result.stdout.decode(errors="replace").strip() or "mount failed"
    with open(os.path.join(path, "filler.bin"), "wb") as f:
        f.write(b"\0" * (DISK_SIZE - ROOM))
    stat = os.statvfs(path)
    free = stat.f_bavail * stat.f_frsize
    if free != ROOM:
        unmount(path)
        return "the filler left %d bytes free instead of %d" % (free, ROOM)
    return None


def unmount(path):
    subprocess.run(["umount", path], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


class StopRecording(unittest.TestCase):

    def test_the_end_of_the_session_writes_the_recording_out(self):
        with e2e.Session() as s:
            work, tandrel, _ = start_program(s)
            fixture = s.start_fixture()
            start_recording(s)
            s.type_text("ab")
            fixture.wait_quiet(0.5)
            sender = s.wine(os.path.join(e2e.E2E_BIN, "SendToWindow.exe"), [e2e.MAIN_WINDOW_TITLE, "endsession"])
            self.assertEqual(s.wait_exit(sender, 60), 0, "the program's window was found")
            self.assertEqual(s.wait_exit(tandrel, 30), 0)
            self.assertEqual([w for w in s.windows() if w["visible"] and w["title"] == NAMING_TITLE], [])

            records = read_records(os.path.join(work, "Records", "TempRecord.rec"))
            keys = [record_summary(r) for r in records if r[0] == e2e.KEY]
            self.assertEqual(keys, [("key", "up", VK_F9), ("key", "down", VK_A), ("key", "up", VK_A),
                                    ("key", "down", VK_B), ("key", "up", VK_B)])

    def test_messages_from_another_program_neither_end_nor_alter_the_recording(self):
        with e2e.Session() as s:
            work, tandrel, _ = start_program(s)
            fixture = s.start_fixture()
            start_recording(s)
            s.type_text("ab")
            fixture.wait_quiet(0.5)
            report = os.path.join(s.make_dir("hostile"), "reached.txt")
            sender = s.wine(os.path.join(e2e.E2E_BIN, "SendToWindow.exe"),
                            [e2e.MAIN_WINDOW_TITLE, "hostile", e2e.wine_path(report)])
            self.assertEqual(s.wait_exit(sender, 240), 0, "the program's window was found")
            with open(report) as f:
                reached = f.read().split("\n")
            print("reached: " + ", ".join(line for line in reached if line))
            classes = {line[len("window "):] for line in reached if line.startswith("window ")}
            threads = [line for line in reached if line.startswith("thread ")]
            # The main window, the hook thread's window and the window of the main thread's
            # apartment (when the system made one) are all among them, and at least the main
            # thread, the hook thread and the one that pumps nothing.
            self.assertIn("TandrelHookThread", classes)
            self.assertIn("TandrelMainWindow", classes)
            self.assertGreaterEqual(len(threads), 2)

            windows = main_windows(s)
            self.assertEqual(len(windows), 1, "the program's window is gone: the program crashed")
            self.assertFalse(windows[0]["visible"], "the recording goes on, its window hidden")
            self.assertEqual([w for w in s.windows() if w["visible"]], [], "no box, no dialog")
            s.type_text("cd")
            fixture.wait_quiet(0.5)
            s.key("F9")
            wait_main_window(s, visible=True)
            path = save_recording(s, work, "Fremd")
            keys = [record_summary(r) for r in read_records(path) if r[0] == e2e.KEY]
            self.assertEqual(keys, [("key", "up", VK_F9)] + [(d, k, vk) for vk in (VK_A, VK_B, VK_C, VK_D)
                                                             for d, k in (("key", "down"), ("key", "up"))])
            self.assertIsNone(tandrel.poll(), "the program goes on")

    def test_a_full_disk_ends_the_recording_with_a_warning_and_keeps_what_was_written(self):
        with e2e.Session() as s:
            disk = s.make_dir("disk")
            why = mount_small_disk(disk)
            if why is not None:
                self.skipTest("no small disk to record on (%s)" % why)
            try:
                self.record_onto_full_disk(s, disk)
            finally:
                # Nothing of the program may hold the disk when it goes: the session's
                # processes end first (which also empties the disk), then the disk goes.
                s.stop()
                unmount(disk)
                if os.path.isdir(disk):
                    os.rmdir(disk)

    def test_a_write_that_stops_within_a_record_keeps_the_whole_records(self):
        # Two writes and 100 bytes of the third fit: six whole records and 4 bytes of one.
        limit = ROOM + 100

        def limit_file_size():
            # Beyond the limit a write is cut short, or fails, instead of ending the process.
            signal.signal(signal.SIGXFSZ, signal.SIG_IGN)
            resource.setrlimit(resource.RLIMIT_FSIZE, (limit, limit))

        with e2e.Session() as s:
            work = s.make_dir("work")
            self.record_until_a_write_fails(s, work, limit - limit % 16, limit_file_size)

    def record_onto_full_disk(self, s, disk):
        work = os.path.join(disk, "work")
        os.makedirs(work)
        self.record_until_a_write_fails(s, work, ROOM)

    def record_until_a_write_fails(self, s, work, kept, preexec_fn=None):
        """Records a burst of moves far larger than what fits; `kept` bytes must be kept."""
        tandrel = s.start_tandrel(cwd=work, preexec_fn=preexec_fn)
        wait_main_window(s, visible=True)
        s.start_fixture()
        start_recording(s)
        burst = s.wine(os.path.join(e2e.E2E_BIN, "MoveBurst.exe"), [str(MOVES)])
        self.assertEqual(s.wait_exit(burst, 300), 0)

        # The first write that does not fit: the warning, with the window back.
        box = s.wait_message_box(INCOMPLETE_WARNING, timeout=60)
        self.assertEqual(box["title"], e2e.MESSAGE_TITLE)
        self.assertTrue(main_windows(s)[0]["visible"], "the window is back with the warning")
        s.click_child(box, e2e.child_by_text(box, "button", "OK"))

        # Then the naming dialog, as after F9; what reached the disk is kept, in whole records.
        wait_dialog(s, NAMING_TITLE)
        path = save_recording(s, work, "Voll")
        self.assertFalse(os.path.exists(os.path.join(work, "Records", "TempRecord.rec")))
        size = os.path.getsize(path)
        print("kept %d bytes of a recording of %d moves where %d bytes fitted" % (size, MOVES, kept))
        self.assertEqual(size, kept, "the whole records that reached the file")
        records = read_records(path)
        self.assertEqual(record_summary(records[0]), ("key", "up", VK_F9))
        self.assertTrue(all(r[0] == e2e.MOVE for r in records[1:]))

        self.assertIsNone(tandrel.poll(), "the program goes on")
        wait_main_window(s, visible=True)


if __name__ == "__main__":
    e2e.main()
