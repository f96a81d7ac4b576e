"""Playback that finds its window, with the shipped program under Wine: a recording made in a
window holds that window's records once, before its first press (not again before each press,
and never before a release, whichever window is under the pointer then), and plays its clicks
at the same place in that window after the window moved; a window that
appears late is waited for, and the keys after it go to it and not to the window before; a
window that never comes stops the playback with a message, nothing typed after it and held
keys released."""

import os
import time
import unittest

import tandrel_e2e as e2e
from recording_steps import read_records, save_recording, start_program, start_recording

WINDOW_PLACE, WINDOW_SIZE, WINDOW_NAME = (e2e.kind_number(name) for name in ("WindowPlace", "WindowSize", "WindowName"))
WINDOW_KINDS = (WINDOW_PLACE, WINDOW_SIZE, WINDOW_NAME)
BUTTON_DOWN_MESSAGES = (0x201, 0x204, 0x207, 0x20B)
PROGRAM = "windowfixture.exe"
VK_SHIFT, VK_X, VK_Y = 0x10, 0x58, 0x59


def window_records(program, window_class, x, y, width, height):
    """The window records of a window, as the recording format lays them out."""
    names = program.encode() + window_class.encode()
    records = [e2e.record(WINDOW_PLACE, len(program.encode()), 0, 0, x, y),
               e2e.record(WINDOW_SIZE, len(window_class.encode()), 0, 0, width, height)]
    for i in range(0, len(names), 11):
        piece = names[i:i + 11].ljust(11, b"\0")
        records.append(bytes([WINDOW_NAME]) + piece[:3] + bytes(4) + piece[3:])
    return records


def start_window(s, window_class, x, y, width, height, delay_ms=0, wait=True):
    """Starts WindowFixture.exe with a window of this class; waits until it is up unless asked
    not to (a window that appears late)."""
    log = os.path.join(s.tmp, "%s-%d.log" % (window_class, time.monotonic_ns()))
    process = s.wine(os.path.join(e2e.E2E_BIN, "WindowFixture.exe"),
                     [e2e.wine_path(log), window_class] + [str(v) for v in (x, y, width, height, delay_ms)])
    window = e2e.Fixture(process, log)
    if wait:
        e2e.wait_for(lambda: any(e["type"] == "ready" for e in window.events()), 60, window_class)
        window.wait_quiet(0.5)
    return window


def is_press(rec):
    kind, code, down = rec[0], rec[1], rec[2]
    return ((kind == e2e.KEY and down == 1) or (kind == e2e.BUTTON and code in BUTTON_DOWN_MESSAGES)
            or kind in (e2e.WHEEL, e2e.HORIZONTAL_WHEEL))


def what_follows_window_groups(records):
    """For each group of window records, the first record after it that is neither a window's nor
    a control's."""
    follows = []
    for i, rec in enumerate(records):
        if rec[0] == WINDOW_PLACE:
            after = [r for r in records[i + 1:] if not e2e.is_beside_input(r[0])]
            follows.append(after[0] if after else None)
    return follows


def keys(window):
    return [(e["args"][0], e["vk"]) for e in window.events() if e["type"] == "key"]


def clicks(window):
    return [(e["args"][0], e["cx"], e["cy"]) for e in window.events() if e["type"] == "button"]


class WindowPlayback(unittest.TestCase):

    def test_a_click_lands_at_the_same_place_in_a_window_that_moved(self):
        with e2e.Session() as s:
            work, tandrel, _ = start_program(s)
            # Another window beside it, under the pointer while a key goes to the first one.
            beside = start_window(s, "TandrelWindowB", 700, 100, 300, 300)
            first = start_window(s, "TandrelWindowA", 100, 100, 500, 400)
            start_recording(s)
            s.mousemove(250, 220)
            time.sleep(0.3)
            s.click(1)
            time.sleep(0.3)
            s.key("x")
            s.mousemove(850, 250)
            time.sleep(0.3)
            s.key("x")
            first.wait_quiet(0.5)
            s.key("F9")
            path = save_recording(s, work, "Fenster")
            recorded = clicks(first)
            self.assertEqual([c[0] for c in recorded], ["WM_LBUTTONDOWN", "WM_LBUTTONUP"])
            self.assertEqual([k for k in keys(first) if k[1] == VK_X], [("down", VK_X), ("up", VK_X)] * 2)

            # The window records before the click name the window and where it stood.
            with open(path, "rb") as f:
                data = f.read()
            expected = b"".join(window_records(PROGRAM, "TandrelWindowA", 100, 100, 500, 400))
            self.assertIn(expected[:16 * 2], data, read_records(path, groups=True)[:6])
            self.assertIn(expected, data)
            # Once: the keys went to the same window, and a release (with the other window under
            # the pointer) gets none.
            records = read_records(path, groups=True)
            follows = what_follows_window_groups(records)
            self.assertEqual(len(follows), 1, records)
            self.assertTrue(is_press(follows[0]), records)
            self.assertEqual(follows[0][:2], (e2e.BUTTON, 0x201), records)

            tandrel.terminate()
            tandrel.wait(timeout=30)
            first.process.terminate()
            beside.process.terminate()
            moved = start_window(s, "TandrelWindowA", 420, 330, 500, 400)
            player = s.start_tandrel([os.path.join("Records", "Fenster.rec")], cwd=work)
            self.assertEqual(s.wait_exit(player, 120), 0)
            moved.wait_quiet(1.0)
            self.assertEqual(clicks(moved), recorded)
            self.assertEqual([k for k in keys(moved) if k[1] == VK_X], [("down", VK_X), ("up", VK_X)] * 2)

    def test_a_window_that_comes_late_is_waited_for_and_gets_the_keys_after_it(self):
        with e2e.Session() as s:
            work = s.make_dir("work")
            recording = (window_records(PROGRAM, "TandrelWindowA", 60, 60, 400, 300)
                         + [e2e.key_record(VK_X, True, 100), e2e.key_record(VK_X, False, 50)]
                         + window_records(PROGRAM, "TandrelWindowB", 500, 400, 400, 300)
                         + [e2e.key_record(VK_Y, True, 100), e2e.key_record(VK_Y, False, 50)])
            e2e.write_recording(os.path.join(work, "late.rec"), recording)
            first = start_window(s, "TandrelWindowA", 60, 60, 400, 300)
            player = s.start_tandrel(["late.rec"], cwd=work)
            late = start_window(s, "TandrelWindowB", 500, 400, 400, 300, delay_ms=3000, wait=False)
            self.assertEqual(s.wait_exit(player, 120), 0)
            late.wait_quiet(1.0)
            self.assertEqual(keys(first), [("down", VK_X), ("up", VK_X)])
            self.assertEqual(keys(late), [("down", VK_Y), ("up", VK_Y)])
            ready = [e["t"] for e in late.events() if e["type"] == "ready"][0]
            typed = [e["t"] for e in late.events() if e["type"] == "key"][0]
            self.assertGreater(typed, ready)

    def test_a_window_that_never_comes_stops_the_playback_with_a_message(self):
        with e2e.Session() as s:
            work = s.make_dir("work")
            recording = (window_records(PROGRAM, "TandrelWindowA", 60, 60, 400, 300)
                         + [e2e.key_record(VK_SHIFT, True, 100), e2e.key_record(VK_X, True, 50),
                            e2e.key_record(VK_X, False, 50)]
                         + window_records(PROGRAM, "TandrelNeverThere", 500, 400, 400, 300)
                         + [e2e.key_record(VK_Y, True, 100), e2e.key_record(VK_Y, False, 50)])
            e2e.write_recording(os.path.join(work, "missing.rec"), recording)
            first = start_window(s, "TandrelWindowA", 60, 60, 400, 300)
            player = s.start_tandrel(["missing.rec"], cwd=work)
            box = s.wait_window(lambda w: w["visible"] and w["class"] == "#32770" and
                                "Fensterklasse: TandrelNeverThere" in " ".join(e2e.message_texts(w)),
                                "the message that the window never came", timeout=90)
            text = " ".join(e2e.message_texts(box))
            self.assertIn("Das Fenster der Aufnahme ist nicht erschienen!", text)
            self.assertIn("Programm: " + PROGRAM, text)
            first.wait_quiet(1.0)
            # Shift released before the message; Y never typed, not even into the first window.
            self.assertEqual(keys(first), [("down", VK_SHIFT), ("down", VK_X), ("up", VK_X), ("up", VK_SHIFT)])
            s.focus_window(e2e.MESSAGE_TITLE)
            s.key("Return")
            self.assertEqual(s.wait_exit(player, 60), 0)
            self.assertNotIn(("down", VK_Y), keys(first))


if __name__ == "__main__":
    e2e.main()
