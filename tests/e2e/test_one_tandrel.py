"""One Tandrel per desktop, with the shipped program under Wine.

- A second start while the window is open ends within a few seconds with code 0, and the
  first copy's window comes to the front (it takes the focus from the fixture window).
- An unattended playback beside the open window plays; F9 cancels it and starts no recording
  in the window's copy: no TempRecord.rec appears, and its window stays as it was. The run log
  holds the unattended run's two lines, "cancelled" at the end, and nothing of the window's copy.
(Two unattended runs at once both play: test_run_log.py.)"""

import os
import time
import unittest

import tandrel_e2e as e2e
from recording_steps import start_program, wait_main_window
from run_log_steps import VK_A, clear_run_log, key_downs, run_log_lines

FIXTURE_TITLE = "Tandrel Fixture"
CANCEL_NOTICE = "Abspielen wurde vom Benutzer abgebrochen!"
# A second start finds the first at once; a busy machine may take a few seconds to start Wine.
SECOND_START_ENDS_WITHIN_S = 20


def held_then_pause(vk, pause_ms=20000):
    """Presses the key, then waits before a last move that a cancel keeps from coming."""
    return [e2e.key_record(vk, True, 0), e2e.move_record(1111, 999, pause_ms)]


def answer_cancel_notice(s):
    box = s.wait_message_box(CANCEL_NOTICE)
    s.click_child(box, e2e.child_by_text(box, "button", "OK"))


def focus_events(fixture, since=0):
    return [e["args"][0] for e in fixture.events()[since:] if e["type"] == "focus"]


class OneTandrel(unittest.TestCase):

    def setUp(self):
        clear_run_log()

    def test_a_second_start_brings_the_first_window_forward_and_ends(self):
        with e2e.Session() as s:
            work, _, _ = start_program(s, {})
            fixture = s.start_fixture()
            s.focus_window(FIXTURE_TITLE)
            since = len(fixture.events())
            started = time.monotonic()
            second = s.start_tandrel(cwd=work)
            self.assertEqual(s.wait_exit(second, SECOND_START_ENDS_WITHIN_S + 40), 0)
            took = time.monotonic() - started
            print("second start to its end: %.1f s" % took)
            self.assertLess(took, SECOND_START_ENDS_WITHIN_S)
            e2e.wait_for(lambda: "lost" in focus_events(fixture, since), 10, "the fixture to lose the focus")
            # The system's foreground window (Wine leaves the display's keyboard focus alone).
            s.wait_window(lambda w: w["title"] == e2e.MAIN_WINDOW_TITLE and w["visible"] and w["foreground"],
                          "the first copy's window in the foreground", timeout=10)

    def test_f9_beside_the_window_cancels_an_unattended_playback_and_records_nothing(self):
        with e2e.Session() as s:
            work, interactive, _ = start_program(s, {})
            fixture = s.start_fixture()
            s.focus_window(FIXTURE_TITLE)
            played = s.make_dir("played")
            e2e.write_recording(os.path.join(played, "pause.rec"), held_then_pause(VK_A))
            since = len(fixture.events())
            unattended = s.start_tandrel(["pause.rec"], cwd=played)
            e2e.wait_for(lambda: key_downs(fixture, VK_A, since), 60, "the unattended playback's key press")
            s.key("F9")
            answer_cancel_notice(s)
            self.assertEqual(s.wait_exit(unattended, 60), 0)
            # A recording would have hidden the window and made TempRecord.rec at once.
            time.sleep(2)
            self.assertFalse(os.path.exists(os.path.join(work, "Records", "TempRecord.rec")))
            wait_main_window(s, visible=True, timeout=5)
            s.wine(os.path.join(e2e.E2E_BIN, "SendToWindow.exe"), [e2e.MAIN_WINDOW_TITLE, "close"])
            self.assertEqual(s.wait_exit(interactive, 60), 0)
            lines = run_log_lines()
            path = e2e.wine_path(os.path.join(played, "pause.rec"))
            self.assertEqual([(line["word"], line["passes"], line["path"]) for line in lines],
                             [("started", 0, path), ("cancelled", 0, path)])
            self.assertEqual(lines[0]["pid"], lines[1]["pid"])


if __name__ == "__main__":
    e2e.main()
