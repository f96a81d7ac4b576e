"""Stop means stop, with the shipped program under Wine: a recording presses a key and then
pauses for 20 s before it moves the pointer.

- F9 during the pause, unattended: the worker ends at once (the fixture sees the key's
  release right after F9), and the program exits with code 0 right after the notice is
  answered; the move is never made.
- F9 during the pause, from the window: once the notice is answered the window is back at
  once while the focus stays in the application the user was in, F9 starts a new recording
  at once and Play works at once; the move is never made.
- A close request, and the end of the session, during an unattended playback that holds
  Shift and goes on pressing a key every 200 ms: the program is gone within a second of the
  request, with code 0, Shift released, and nothing pressed after the request."""

import os
import time
import unittest

import tandrel_e2e as e2e
from recording_steps import (NAMING_TITLE, PLAY_ID, answer_dialog, click_button, select_entry,
                             start_program, wait_main_window)

VK_SHIFT, VK_CONTROL, VK_A, VK_F9, VK_X = 0x10, 0x11, 0x41, 0x78, 0x58
FIXTURE_TITLE = "Tandrel Fixture"
CANCEL_NOTICE = "Abspielen wurde vom Benutzer abgebrochen!"
PAUSE_MS = 20000
# Where the move after the pause would go: nowhere near anything a test clicks.
NEVER_X, NEVER_Y = 1111, 999
# The stopped worker ends within milliseconds; this only keeps a busy machine from failing
# the test. Before the stop took effect at once it was the rest of the 20 s pause.
ENDS_WITHIN_MS = 3000
# A close request or a log-off ends the program at once: milliseconds, a second on a busy
# machine. An exit that left the worker playing ended it only after its 2 s wait for the worker.
GONE_WITHIN_MS = 1000
TAP_EVERY_MS = 200


def held_then_pause(vk):
    """Presses the key, then pauses 20 s before the move."""
    return [e2e.key_record(vk, True, 0), e2e.move_record(NEVER_X, NEVER_Y, PAUSE_MS)]


def held_shift_then_taps():
    """Presses Shift, then goes on tapping X for a minute, a press every TAP_EVERY_MS."""
    taps = [e2e.key_record(VK_X, True, TAP_EVERY_MS // 2), e2e.key_record(VK_X, False, TAP_EVERY_MS // 2)]
    return [e2e.key_record(VK_SHIFT, True, 0)] + taps * (60000 // TAP_EVERY_MS)


def mark_time(fixture, number):
    marks = [e["t"] for e in fixture.events() if e["type"] == "mark" and e["n"] == number]
    return marks[0] if marks else None


def key_times(fixture, vk, direction, since=0):
    return [e["t"] for e in fixture.events()[since:]
            if e["type"] == "key" and e["vk"] == vk and e["args"][0] == direction]


def never_moved_there(fixture):
    return not [e for e in fixture.events()
                if e["type"] == "move" and (e["x"], e["y"]) == (NEVER_X, NEVER_Y)]


def focus_events(fixture, since=0):
    return [(e["t"], e["args"][0]) for e in fixture.events()[since:] if e["type"] == "focus"]


class StopPlayback(unittest.TestCase):

    def f9_and_worker_end(self, s, fixture, vk, since):
        """Presses F9 once the playback has pressed `vk`; returns the milliseconds from F9 to
        the release of `vk` by the stopped worker. F9 stays with the program, so the fixture
        sees a Control tapped right before it in its place."""
        e2e.wait_for(lambda: key_times(fixture, vk, "down", since), 60, "the recording's key press")
        s.xdotool("key", "--delay", 0, "Control_L", "F9")
        f9 = e2e.wait_for(lambda: key_times(fixture, VK_CONTROL, "up", since), 20, "Control at the fixture")[0]
        released = e2e.wait_for(lambda: key_times(fixture, vk, "up", since), ENDS_WITHIN_MS / 1000.0 + 5,
                                "the release of the held key")[0]
        ms = (released - f9) / 1000.0
        print("F9 to the end of the worker (its release of the held key): %.1f ms" % ms)
        self.assertLess(ms, ENDS_WITHIN_MS)
        self.assertEqual(key_times(fixture, VK_F9, "down", since), [], "F9 reached the application played into")
        return ms

    def answer_notice(self, s):
        box = s.wait_message_box(CANCEL_NOTICE)
        s.click_child(box, e2e.child_by_text(box, "button", "OK"))
        return time.monotonic()

    def test_f9_during_an_unattended_pause_ends_the_program_once_answered(self):
        with e2e.Session() as s:
            work = s.make_dir("work")
            e2e.write_recording(os.path.join(work, "pause.rec"), held_then_pause(VK_A))
            fixture = s.start_fixture()
            since = len(fixture.events())
            tandrel = s.start_tandrel(["pause.rec"], cwd=work)
            pressed_f9 = time.monotonic()
            self.f9_and_worker_end(s, fixture, VK_A, since)
            answered = self.answer_notice(s)
            self.assertEqual(s.wait_exit(tandrel, 60), 0)
            print("notice answered to the end of the program: %.2f s" % (time.monotonic() - answered))
            self.assertLess(time.monotonic() - pressed_f9, PAUSE_MS / 1000.0,
                            "the program did not wait for the pause to pass")
            fixture.wait_quiet(0.5)
            self.assertTrue(never_moved_there(fixture))

    def test_f9_during_a_pause_from_the_window_gives_everything_back_at_once(self):
        with e2e.Session() as s:
            # The fixture first: the program's window, always on top, then comes up over it.
            fixture = s.start_fixture()
            work, _, _ = start_program(s, {"Pause": b"".join(held_then_pause(VK_A))})
            select_entry(s, "Pause")
            click_button(s, PLAY_ID)
            wait_main_window(s, visible=False)
            s.focus_window(FIXTURE_TITLE)
            since = len(fixture.events())
            self.f9_and_worker_end(s, fixture, VK_A, since)
            first_cancel = time.monotonic()
            answered_at = len(fixture.events())
            self.answer_notice(s)

            # The window is back, and the focus is where the user was, and stays there (the
            # window once took it about two seconds later, when the stopped worker ended).
            wait_main_window(s, visible=True, timeout=10)
            e2e.wait_for(lambda: focus_events(fixture, answered_at) and
                         focus_events(fixture, answered_at)[-1][1] == "gained", 10,
                         "the focus back at the fixture")
            time.sleep(3)
            self.assertEqual(focus_events(fixture, answered_at)[-1][1], "gained",
                             "focus events after the answer: %s" % focus_events(fixture, answered_at))

            # F9 starts a new recording at once.
            s.key("F9")
            wait_main_window(s, visible=False, timeout=10)
            s.type_text("x")
            fixture.wait_quiet(0.3)
            s.key("F9")
            answer_dialog(s, NAMING_TITLE, text="Neu")
            e2e.wait_for(lambda: os.path.exists(os.path.join(work, "Records", "Neu.rec")), 20, "Neu.rec")

            # Play works at once, and F9 stops that playback as quickly.
            select_entry(s, "Pause")
            click_button(s, PLAY_ID)
            wait_main_window(s, visible=False, timeout=10)
            s.focus_window(FIXTURE_TITLE)
            self.f9_and_worker_end(s, fixture, VK_A, len(fixture.events()))
            self.answer_notice(s)
            wait_main_window(s, visible=True, timeout=10)

            # Past the time the first pause would have ended: its move never came.
            time.sleep(max(0.0, first_cancel + PAUSE_MS / 1000.0 + 2 - time.monotonic()))
            fixture.wait_quiet(0.5)
            self.assertTrue(never_moved_there(fixture))

    def end_during_held_shift(self, how):
        with e2e.Session() as s:
            work = s.make_dir("work")
            e2e.write_recording(os.path.join(work, "shift.rec"), held_shift_then_taps())
            fixture = s.start_fixture()
            since = len(fixture.events())
            tandrel = s.start_tandrel(["shift.rec"], cwd=work)
            e2e.wait_for(lambda: key_times(fixture, VK_X, "down", since), 60, "X pressed by the playback")
            # The sender marks the fixture's log just before its request and once the program
            # has ended.
            sender = s.wine(os.path.join(e2e.E2E_BIN, "SendToWindow.exe"),
                            [e2e.MAIN_WINDOW_TITLE, how, FIXTURE_TITLE])
            self.assertEqual(s.wait_exit(sender, 60), 0, "the windows were found and the program ended")
            self.assertEqual(s.wait_exit(tandrel, 30), 0)
            requested, gone = mark_time(fixture, 1), mark_time(fixture, 2)
            ms = (gone - requested) / 1000.0
            print("%s request to the end of the program: %.1f ms" % (how, ms))
            self.assertLess(ms, GONE_WITHIN_MS)
            # Shift was released before the process ended, so the fixture gets its key-up.
            e2e.wait_for(lambda: key_times(fixture, VK_SHIFT, "up", since), 10, "the release of Shift")
            fixture.wait_quiet(0.5)
            # Nothing is pressed after the request: one press may have been on its way already.
            pressed_after = [t for t in key_times(fixture, VK_X, "down", since) if t > requested]
            self.assertLessEqual(len(pressed_after), 1, "presses %s ms after the request" %
                                 [(t - requested) / 1000.0 for t in pressed_after])
            self.assertFalse([t for t in key_times(fixture, VK_SHIFT, "down", since) if t > requested])

    def test_a_close_request_ends_at_once_and_releases_held_shift(self):
        self.end_during_held_shift("close")

    def test_the_end_of_the_session_ends_at_once_and_releases_held_shift(self):
        self.end_during_held_shift("endsession")


if __name__ == "__main__":
    e2e.main()
