"""The run log of unattended runs, with the shipped program under Wine: each run leaves a line
when it starts and one when it ends, in %LOCALAPPDATA%\\Tandrel\\Tandrel.log, with the word of
how it ended.

- A run that plays (two passes, at double speed, from a folder with a space and an umlaut):
  "started", then "played" with 2 passes, the speed, the repeats and the full path; the log,
  which the start line would have taken past 1 MB, was set aside as Tandrel.log.1 first.
- A missing recording: while its message waits, the log says the run started; once answered,
  "not-found".
- Two runs at once both play and leave two whole lines each.
(F9's "cancelled", and nothing from the window mode: test_one_tandrel.py.)"""

import os
import unittest

import tandrel_e2e as e2e
from run_log_steps import VK_A, VK_B, clear_run_log, fill_run_log, key_downs, run_log_lines

NOT_FOUND = "Aufnahmedatei wurde nicht gefunden!"
LIMIT = 1024 * 1024


def one_key(vk):
    return [e2e.key_record(vk, True, 100), e2e.key_record(vk, False, 100)]


class RunLog(unittest.TestCase):

    def setUp(self):
        clear_run_log()

    def assert_run(self, lines, pid, word, passes, speed, repeats, path):
        own = [line for line in lines if line["pid"] == pid]
        self.assertEqual([line["word"] for line in own], ["started", word], own)
        self.assertEqual([(line["passes"], line["speed"], line["repeats"], line["path"]) for line in own],
                         [(0, speed, repeats, path), (passes, speed, repeats, path)])

    def test_a_run_that_plays(self):
        with e2e.Session() as s:
            work = s.make_dir("Mein Ordner \u00fc")
            path = os.path.join(work, "Bericht.rec")
            e2e.write_recording(path, one_key(VK_A))
            log = fill_run_log(LIMIT - 20)
            s.start_fixture()
            tandrel = s.start_tandrel(["Bericht.rec", "/repeats=1", "/speed=2"], cwd=work)
            self.assertEqual(s.wait_exit(tandrel, 120), 0)
            lines = run_log_lines()
            self.assertEqual(len(lines), 2, lines)
            self.assert_run(lines, lines[0]["pid"], "played", 2, 2, 1, e2e.wine_path(path))
            self.assertEqual(os.path.getsize(log + ".1"), LIMIT - 20)

    def test_a_missing_recording(self):
        with e2e.Session() as s:
            work = s.make_dir("work")
            tandrel = s.start_tandrel(["missing.rec"], cwd=work)
            box = s.wait_message_box(NOT_FOUND)
            # Behind its box the run is not over: the log says that it started, and no more.
            self.assertEqual([line["word"] for line in run_log_lines()], ["started"])
            s.click_child(box, e2e.child_by_text(box, "button", "OK"))
            self.assertEqual(s.wait_exit(tandrel, 60), 0)
            lines = run_log_lines()
            self.assert_run(lines, lines[0]["pid"], "not-found", 0, 1, 0,
                            e2e.wine_path(os.path.join(work, "missing.rec")))

    def test_two_runs_at_once_both_play_and_leave_whole_lines(self):
        with e2e.Session() as s:
            work = s.make_dir("work")
            e2e.write_recording(os.path.join(work, "a.rec"), one_key(VK_A) * 5)
            e2e.write_recording(os.path.join(work, "b.rec"), one_key(VK_B) * 5)
            fixture = s.start_fixture()
            first = s.start_tandrel(["a.rec"], cwd=work)
            second = s.start_tandrel(["b.rec"], cwd=work)
            self.assertEqual(s.wait_exit(first, 120), 0)
            self.assertEqual(s.wait_exit(second, 120), 0)
            fixture.wait_quiet(0.5)
            self.assertEqual((len(key_downs(fixture, VK_A)), len(key_downs(fixture, VK_B))), (5, 5))
            lines = run_log_lines()
            self.assertEqual(len(lines), 4, lines)
            for name in ("a.rec", "b.rec"):
                path = e2e.wine_path(os.path.join(work, name))
                pid = [line["pid"] for line in lines if line["path"] == path][0]
                self.assert_run(lines, pid, "played", 1, 1, 0, path)


if __name__ == "__main__":
    e2e.main()
