"""Input as the shipped program records it under Wine: the back and forward buttons and the
horizontal wheel both ways, among keys, clicks and vertical wheel turns, land in the file in
the order they were made, and play back into the same window in that order; a program killed during a recording has its input on disk, which the
next recording keeps under a name of its own instead of emptying it, and one it cannot rename
is left as it was."""

import os
import time
import unittest

import tandrel_e2e as e2e
from recording_steps import (PLAY_ID, VK_F9, click_button, list_items, read_records, record_summary, save_recording,
                             select_entry, start_program, start_recording, wait_main_window)

VK_A, VK_B, VK_C = 0x41, 0x42, 0x43
LEFTOVER_NAME = "Unterbrochene Aufzeichnung 1"
LEFTOVER_NOT_KEPT = ("Die vorige Aufzeichnung konnte nicht gesichert werden!\r\n\r\n"
                     "Eine neue Aufzeichnung wurde nicht gestartet.")


def summary(record):
    kind, code, down, _, x, y = record
    if kind == e2e.KEY:
        return ("key", code, down)
    if kind == e2e.BUTTON:
        return ("button", code, y)
    if kind == e2e.WHEEL:
        return ("wheel", y)
    if kind == e2e.HORIZONTAL_WHEEL:
        return ("hwheel", y)
    return ("move",)


class HookEvents(unittest.TestCase):

    def test_x_buttons_and_the_horizontal_wheel_are_recorded_and_played_in_order(self):
        with e2e.Session() as s:
            work, _, _ = start_program(s)
            fixture = s.start_fixture()
            start_recording(s)
            s.key("a")
            s.click(1)
            s.click(8)          # back
            s.click(6)          # horizontal wheel, to the left
            s.wheel(1)
            s.click(9)          # forward
            s.click(7)          # horizontal wheel, to the right
            s.wheel(-1)
            s.key("b")
            fixture.wait_quiet(0.5)
            s.key("F9")
            path = save_recording(s, work, "Knoepfe")

            records = read_records(path)
            summaries = [summary(r) for r in records if r[0] != e2e.MOVE]
            self.assertEqual(summaries[0], ("key", VK_F9, 0))
            expected = [("key", VK_A, 1), ("key", VK_A, 0),
                        ("button", e2e.WM_LBUTTONDOWN, 0), ("button", e2e.WM_LBUTTONUP, 0),
                        ("button", e2e.WM_XBUTTONDOWN, 1), ("button", e2e.WM_XBUTTONUP, 1),
                        ("hwheel", -1), ("wheel", 1),
                        ("button", e2e.WM_XBUTTONDOWN, 2), ("button", e2e.WM_XBUTTONUP, 2),
                        ("hwheel", 1), ("wheel", -1), ("key", VK_B, 1), ("key", VK_B, 0)]
            self.assertEqual(summaries[1:], expected)

            # Played back into the same window: all of it arrives, in the same order.
            select_entry(s, "Knoepfe")
            click_button(s, PLAY_ID)
            wait_main_window(s, visible=False)
            s.focus_window("Tandrel Fixture")
            since = len(fixture.events())
            wait_main_window(s, visible=True, timeout=120)
            fixture.wait_quiet(0.5)
            played = [e2e.summarize(e) for e in fixture.events()[since:]
                      if e["type"] in ("key", "button", "wheel", "hwheel")]
            self.assertEqual(played, [record_summary(r) for r in records if r[0] != e2e.MOVE])

    def test_a_killed_recording_is_on_disk_and_kept_by_the_next(self):
        with e2e.Session() as s:
            work, process, _ = start_program(s)
            s.start_fixture()
            start_recording(s)
            s.type_text("abc")
            time.sleep(1.5)
            killer = s.wine("taskkill", ["/F", "/IM", "Tandrel.exe"])
            s.wait_exit(killer, 60)
            s.wait_exit(process, 60)
            temp = os.path.join(work, "Records", "TempRecord.rec")
            kept = [summary(r) for r in read_records(temp) if r[0] == e2e.KEY]
            self.assertEqual(kept, [("key", VK_F9, 0), ("key", VK_A, 1), ("key", VK_A, 0), ("key", VK_B, 1),
                                    ("key", VK_B, 0), ("key", VK_C, 1), ("key", VK_C, 0)])
            with open(temp, "rb") as f:
                old = f.read()

            # Started again: the list shows the leftover; F9 keeps it under a name of its own.
            s.start_tandrel(cwd=work)
            self.assertIn("TempRecord", list_items(wait_main_window(s, visible=True)))
            start_recording(s)
            s.key("x")
            s.key("F9")
            save_recording(s, work, "Neu")
            with open(os.path.join(work, "Records", LEFTOVER_NAME + ".rec"), "rb") as f:
                self.assertEqual(f.read(), old)
            self.assertEqual(sorted(list_items(wait_main_window(s, visible=True))), sorted([LEFTOVER_NAME, "Neu"]))

    def test_a_leftover_that_cannot_be_kept_is_not_emptied(self):
        old = e2e.key_record(VK_A, True, 10) + e2e.key_record(VK_A, False, 20)
        with e2e.Session() as s:
            work, _, _ = start_program(s, {"TempRecord": old})
            s.start_fixture()
            temp = os.path.join(work, "Records", "TempRecord.rec")
            holder = s.wine(os.path.join(e2e.E2E_BIN, "HoldFile.exe"), [e2e.wine_path(temp), "6000"])
            e2e.wait_for(lambda: os.path.exists(temp + ".held"), 60, "the file held open")
            s.key("F9")
            box = s.wait_message_box(LEFTOVER_NOT_KEPT)
            self.assertEqual(box["title"], e2e.MESSAGE_TITLE)
            s.focus_window(e2e.MESSAGE_TITLE)
            s.key("Return")
            e2e.wait_for(lambda: not [w for w in s.windows() if w["visible"] and w["class"] == "#32770"], 30,
                         "the box to close")
            self.assertTrue(wait_main_window(s, visible=True)["visible"], "no recording started")
            with open(temp, "rb") as f:
                self.assertEqual(f.read(), old)
            self.assertEqual(s.wait_exit(holder, 60), 0)

            # Let go of, it is kept at the next F9.
            start_recording(s)
            s.key("F9")
            save_recording(s, work, "Neu")
            with open(os.path.join(work, "Records", LEFTOVER_NAME + ".rec"), "rb") as f:
                self.assertEqual(f.read(), old)


if __name__ == "__main__":
    e2e.main()
