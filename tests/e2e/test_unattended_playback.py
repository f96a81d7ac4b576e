"""Unattended playback with the shipped program: Tandrel.exe given a recording on its command
line plays it into the focused fixture window and quits by itself.

The recording holds keys (one of them an extended key), all three buttons pressed and
released, moves, the wheel both ways, one long delay to measure the speed divisor by, and at
its end a key and a button that are pressed and never released."""

import os
import time
import unittest

import tandrel_e2e as e2e
from tandrel_e2e import (WM_LBUTTONDOWN, WM_LBUTTONUP, WM_MBUTTONDOWN, WM_MBUTTONUP,
                         WM_RBUTTONDOWN, WM_RBUTTONUP)

VK_A, VK_RIGHT, VK_Z = 0x41, 0x27, 0x5A
# Scan code and extended flag of each key on a real keyboard (US layout), as the fixture logs
# them for keys that xdotool presses.
REAL_KEYS = {VK_A: (0x1E, 0), VK_RIGHT: (0x4D, 1), VK_Z: (0x2C, 0)}
LONG_DELAY = 1200

RECORDING = [
    e2e.move_record(200, 150, 0),
    e2e.move_record(400, 300, 300),
    e2e.key_record(VK_A, True, 200),
    e2e.key_record(VK_A, False, 100),
    e2e.key_record(VK_RIGHT, True, 100),
    e2e.key_record(VK_RIGHT, False, 100),
    e2e.button_record(WM_LBUTTONDOWN, 100),
    e2e.button_record(WM_LBUTTONUP, 100),
    e2e.button_record(WM_RBUTTONDOWN, 100),
    e2e.button_record(WM_RBUTTONUP, 100),
    e2e.button_record(WM_MBUTTONDOWN, 100),
    e2e.button_record(WM_MBUTTONUP, 100),
    e2e.wheel_record(1, 100),
    e2e.wheel_record(-2, 100),
    e2e.move_record(640, 480, LONG_DELAY),
    e2e.key_record(VK_Z, True, 100),          # held to the end of the pass
    e2e.button_record(WM_LBUTTONDOWN, 100),   # held to the end of the pass
]
# Milliseconds from the first record's event to the last one's, as recorded.
PASS_SPAN = sum(int.from_bytes(r[4:8], "little", signed=True) for r in RECORDING[1:])

# What the fixture must see of one pass: the recorded events, then the releases of what the
# pass left pressed, oldest first.
ONE_PASS = [
    ("move", 200, 150), ("move", 400, 300),
    ("key", "down", VK_A), ("key", "up", VK_A),
    ("key", "down", VK_RIGHT), ("key", "up", VK_RIGHT),
    ("button", "WM_LBUTTONDOWN"), ("button", "WM_LBUTTONUP"),
    ("button", "WM_RBUTTONDOWN"), ("button", "WM_RBUTTONUP"),
    ("button", "WM_MBUTTONDOWN"), ("button", "WM_MBUTTONUP"),
    ("wheel", 120), ("wheel", -240),
    ("move", 640, 480),
    ("key", "down", VK_Z), ("button", "WM_LBUTTONDOWN"),
    ("key", "up", VK_Z), ("button", "WM_LBUTTONUP"),
]
FIRST_OF_PASS = ONE_PASS[0]
LONG_WAIT_FROM, LONG_WAIT_TO = ONE_PASS.index(("wheel", -240)), ONE_PASS.index(("move", 640, 480))
LAST_RECORDED = ONE_PASS.index(("button", "WM_LBUTTONDOWN"), LONG_WAIT_TO)


def within(measured_ms, expected_ms):
    """Generous bounds for a measured wait: late delivery on a busy machine is allowed, but
    not a wait that is clearly another divisor's."""
    return 0.8 * expected_ms - 50 <= measured_ms <= 1.25 * expected_ms + 300


class UnattendedPlayback(unittest.TestCase):

    def play(self, args, passes, divisor, absolute_path=False):
        with e2e.Session() as s:
            work = s.make_dir("work")
            path = os.path.join(work, "play.rec")
            e2e.write_recording(path, RECORDING)
            fixture = s.start_fixture()
            start = len(fixture.events())

            recording_arg = e2e.wine_path(path) if absolute_path else "play.rec"
            launched = time.monotonic()
            tandrel = s.start_tandrel([a if a != "REC" else recording_arg for a in args], cwd=work)
            e2e.wait_for(lambda: fixture.input_events(start), 60, "the first injected event")
            first_seen = time.monotonic()
            code = s.wait_exit(tandrel, 120)
            fixture.wait_quiet(1.0)

            # It quit by itself, with exit code 0, and nothing of it is left.
            self.assertEqual(code, 0)
            self.assertNotIn("Tandrel.exe", s.probe()["processes"])
            # No pass starts before its pause of two seconds.
            print("first event seen %.2f s after the start" % (first_seen - launched))
            self.assertGreaterEqual(first_seen - launched, 2.0)

            events = e2e.without_repeated_moves(fixture.input_events(start))
            got = [e2e.summarize(e) for e in events]
            self.assertEqual(got, ONE_PASS * passes)

            # Keys arrive as a real keyboard's would: the key's own scan code, and the
            # extended flag on the extended key (else Right would read as the number pad's 6).
            for e in events:
                if e["type"] == "key":
                    self.assertEqual((e["scan"], e["ext"], e["sys"]), REAL_KEYS[e["vk"]] + (0,), e)

            n = len(ONE_PASS)
            for p in range(passes):
                one = events[p * n:(p + 1) * n]
                ms = lambda a, b: (one[b]["t"] - one[a]["t"]) / 1000.0
                long_wait = ms(LONG_WAIT_FROM, LONG_WAIT_TO)
                self.assertTrue(within(long_wait, LONG_DELAY / divisor),
                                "pass %d: a delay of %d ms with divisor %d took %.0f ms"
                                % (p + 1, LONG_DELAY, divisor, long_wait))
                span = ms(0, LAST_RECORDED)
                print("pass %d, divisor %d: long wait %.0f ms (recorded %d), pass %.0f ms (recorded %d)"
                      % (p + 1, divisor, long_wait, LONG_DELAY, span, PASS_SPAN))
                self.assertTrue(within(span, PASS_SPAN / divisor),
                                "pass %d: %d ms of recorded delays with divisor %d took %.0f ms"
                                % (p + 1, PASS_SPAN, divisor, span))
                if p > 0:
                    previous_end = events[p * n - 1]["t"]
                    pause = (one[0]["t"] - previous_end) / 1000.0
                    print("pause before pass %d: %.0f ms" % (p + 1, pause))
                    self.assertTrue(1900 <= pause <= 8000,
                                    "pass %d began %.0f ms after the previous one ended" % (p + 1, pause))

    def test_plays_once_with_the_recorded_delays(self):
        self.play(["REC"], passes=1, divisor=1)

    def test_speed_divides_every_delay(self):
        self.play(["REC", "/speed=2"], passes=1, divisor=2, absolute_path=True)

    def test_repeats_play_more_passes_each_after_its_pause(self):
        self.play(["/repeats=1", "REC"], passes=2, divisor=1)


if __name__ == "__main__":
    e2e.main()
