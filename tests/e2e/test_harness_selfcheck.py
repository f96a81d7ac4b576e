"""The harness itself, before it judges the program: what a person does with xdotool reaches
the fixture window as the same keys, buttons, moves and wheel turns, and the probe reads the
fixture's window back."""

import unittest

import tandrel_e2e as e2e


class HarnessSelfCheck(unittest.TestCase):

    def test_fixture_logs_real_input_and_probe_reads_its_window(self):
        with e2e.Session() as s:
            fixture = s.start_fixture()
            start = len(fixture.events())
            s.key("a", "Right", "shift+b")
            s.mousemove(100, 200)
            # Motion that piles up in a busy display's queue is merged into its last position:
            # the second move waits until the first has arrived.
            e2e.wait_for(lambda: any(e2e.summarize(e) == ("move", 100, 200) for e in fixture.input_events(start)),
                         30, "the move to (100, 200) in the fixture log")
            s.mousemove(300, 400)
            for button in (1, 3, 2):
                s.click(button)
            s.wheel(1)
            s.wheel(-2)
            e2e.wait_for(lambda: len([e for e in fixture.input_events(start) if e["type"] == "wheel"]) == 3,
                         30, "three wheel events in the fixture log")
            fixture.wait_quiet(0.5)
            events = e2e.without_repeated_moves(fixture.input_events(start))
            # The pointer may have been reported at its old place first; only what we did counts.
            while events and events[0]["type"] == "move" and (events[0]["x"], events[0]["y"]) != (100, 200):
                events.pop(0)
            got = [e2e.summarize(e) for e in events]
            keys = [g for g in got if g[0] == "key"]
            self.assertEqual(keys, [
                ("key", "down", 0x41), ("key", "up", 0x41),
                ("key", "down", 0x27), ("key", "up", 0x27),
                ("key", "down", 0x10), ("key", "down", 0x42), ("key", "up", 0x10), ("key", "up", 0x42)])
            right = [e for e in events if e["type"] == "key" and e["vk"] == 0x27]
            self.assertTrue(all(e["ext"] == 1 for e in right), right)
            a = [e for e in events if e["type"] == "key" and e["vk"] == 0x41]
            self.assertTrue(all(e["ext"] == 0 for e in a), a)
            self.assertEqual([g for g in got if g[0] != "key"], [
                ("move", 100, 200), ("move", 300, 400),
                ("button", "WM_LBUTTONDOWN"), ("button", "WM_LBUTTONUP"),
                ("button", "WM_RBUTTONDOWN"), ("button", "WM_RBUTTONUP"),
                ("button", "WM_MBUTTONDOWN"), ("button", "WM_MBUTTONUP"),
                ("wheel", 120), ("wheel", -120), ("wheel", -120)])
            buttons = [e for e in events if e["type"] == "button"]
            self.assertTrue(all((e["x"], e["y"]) == (300, 400) for e in buttons), buttons)
            times = [e["t"] for e in events]
            self.assertEqual(times, sorted(times))

            windows = [w for w in s.windows("TandrelFixture.exe") if w["visible"]]
            self.assertEqual(len(windows), 1, windows)
            w = windows[0]
            self.assertEqual((w["title"], w["class"]), ("Tandrel Fixture", "TandrelFixture"))
            self.assertEqual(w["rect"], [0, 0, e2e.SCREEN_WIDTH, e2e.SCREEN_HEIGHT])
            self.assertIn("TandrelFixture.exe", s.probe()["processes"])


if __name__ == "__main__":
    e2e.main()
