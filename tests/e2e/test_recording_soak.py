"""A burst of 20,000 mouse moves during one recording: the recording holds one record per move
that reached the program's hook, in order, and nothing is lost on the way from the hook module
through the window's queue to the file."""

import os
import unittest

import tandrel_e2e as e2e
from recording_steps import VK_F9, read_records, save_recording, start_program, start_recording

MOVES = 20000


def burst_positions(count):
    """The positions MoveBurst.exe moves to, in order."""
    return [(100 + i % 512, 100 + (i // 512) % 256) for i in range(count)]


class RecordingSoak(unittest.TestCase):

    def test_twenty_thousand_moves_in_one_recording(self):
        with e2e.Session() as s:
            work, _, _ = start_program(s)
            s.start_fixture()
            start_recording(s)
            burst = s.wine(os.path.join(e2e.E2E_BIN, "MoveBurst.exe"), [str(MOVES)])
            self.assertEqual(s.wait_exit(burst, 600), 0, "every move was accepted by the system")
            s.key("F9")
            path = save_recording(s, work, "Soak", timeout=60)

            records = read_records(path)
            moves = [(r[4], r[5]) for r in records if r[0] == e2e.MOVE]
            others = [r for r in records if r[0] != e2e.MOVE]
            self.assertEqual([(r[0], r[1], r[2]) for r in others], [(e2e.KEY, VK_F9, 0)])
            # Every burst position arrives, in the order sent. A move made by the window system
            # itself (none is expected) would show up as an extra position and fail the count.
            expected = burst_positions(MOVES)
            sent = set(expected)
            burst_moves = [m for m in moves if m in sent]
            self.assertEqual(len(burst_moves), MOVES, "one record per move, none lost")
            self.assertEqual(burst_moves, expected)
            self.assertLessEqual(len(moves) - MOVES, 2, "no duplicated moves")


if __name__ == "__main__":
    e2e.main()
