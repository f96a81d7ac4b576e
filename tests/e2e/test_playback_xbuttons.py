"""The back and forward buttons and the horizontal wheel played into the fixture window by the
shipped program (unattended): each X button pressed and released by which one it is, the
horizontal wheel both ways, 120 per notch, and a forward button still held at the end of the
recording released at the end of the pass. The recording is made of the bytes the recording
format gives them."""

import os
import unittest

import tandrel_e2e as e2e

X_DOWN, X_UP = e2e.WM_XBUTTONDOWN, e2e.WM_XBUTTONUP


def x_button_record(message, which, delay):
    return e2e.record(e2e.BUTTON, message, 0, delay, 0, which)


def horizontal_wheel_record(notches, delay):
    return e2e.record(e2e.HORIZONTAL_WHEEL, 0, 0, delay, 0, notches)


RECORDING = [
    e2e.move_record(640, 480, 0),
    x_button_record(X_DOWN, 1, 200),
    x_button_record(X_UP, 1, 100),
    horizontal_wheel_record(1, 100),
    horizontal_wheel_record(-2, 100),
    x_button_record(X_DOWN, 2, 100),   # held to the end of the pass
    e2e.key_record(0x41, True, 100),   # a key after it, so the release comes after the pass
    e2e.key_record(0x41, False, 100),
]

ONE_PASS = [
    ("move", 640, 480),
    ("button", "WM_XBUTTONDOWN", 1), ("button", "WM_XBUTTONUP", 1),
    ("hwheel", 120), ("hwheel", -240),
    ("button", "WM_XBUTTONDOWN", 2),
    ("key", "down", 0x41), ("key", "up", 0x41),
    ("button", "WM_XBUTTONUP", 2),   # the release at the end of the pass
]


class XButtonPlayback(unittest.TestCase):

    def test_x_buttons_and_the_horizontal_wheel_reach_the_window(self):
        with e2e.Session() as s:
            work = s.make_dir("work")
            e2e.write_recording(os.path.join(work, "play.rec"), RECORDING)
            fixture = s.start_fixture()
            start = len(fixture.events())
            tandrel = s.start_tandrel(["play.rec"], cwd=work)
            self.assertEqual(s.wait_exit(tandrel, 120), 0)
            fixture.wait_quiet(1.0)
            events = e2e.without_repeated_moves(fixture.input_events(start))
            self.assertEqual([e2e.summarize(e) for e in events], ONE_PASS)


if __name__ == "__main__":
    e2e.main()
