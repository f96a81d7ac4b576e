"""The central story as a person lives it, with the shipped program under Wine: press F9 over
another application, type, move, click and turn the wheel, press F9, name the recording, find
it in the list, play it back into the same application, rename it and remove it."""

import os
import time
import unittest

import tandrel_e2e as e2e
from recording_steps import (NAMING_TITLE, PLAY_ID, REMOVE_ID, RENAME_ID, RENAMING_TITLE, VK_F9,
                             answer_dialog, click_button, dialog_edit_text, list_items,
                             main_windows, read_records, record_summary, select_entry,
                             start_program, wait_dialog, wait_main_window,
                             without_repeated_move_summaries)

VK_A, VK_B, VK_RIGHT, VK_X = 0x41, 0x42, 0x27, 0x58
FIXTURE_TITLE = "Tandrel Fixture"


def recorded_path(work, name):
    return os.path.join(work, "Records", name + ".rec")


def fixture_summaries(events):
    return without_repeated_move_summaries([e2e.summarize(e) for e in events])


class RecordingRoundTrip(unittest.TestCase):

    def record_something(self, s, fixture):
        """F9, the input of the test, F9; returns the fixture's events of the recording."""
        s.key("F9")
        wait_main_window(s, visible=False)
        since = len(fixture.events())
        s.type_text("ab")
        s.mousemove(150, 120)
        time.sleep(0.2)
        s.mousemove(300, 200)
        s.click(1)
        s.wheel(1)
        time.sleep(0.2)
        s.wheel(-1)
        s.key("Right")
        time.sleep(0.3)
        fixture.wait_quiet(0.5)
        done = len(fixture.events())
        s.key("F9")
        return fixture.events()[since:done]

    def test_record_name_list_and_play_back(self):
        with e2e.Session() as s:
            work, _, _ = start_program(s)
            fixture = s.start_fixture()
            done = self.record_something(s, fixture)

            dialog = wait_dialog(s, NAMING_TITLE)
            self.assertIn("Geben Sie der Aufzeichnung ein Name", e2e.message_texts(dialog))
            self.assertEqual(dialog_edit_text(dialog), "")
            self.assertTrue(main_windows(s)[0]["visible"], "the window is back while naming")
            answer_dialog(s, NAMING_TITLE, text="Runde")
            e2e.wait_for(lambda: os.path.exists(recorded_path(work, "Runde")), 20, "Runde.rec")
            self.assertFalse(os.path.exists(recorded_path(work, "TempRecord")))

            records = read_records(recorded_path(work, "Runde"))
            # The release of the starting F9 comes first; no F9 press is ever recorded.
            self.assertEqual(record_summary(records[0]), ("key", "up", VK_F9))
            self.assertNotIn(("key", "down", VK_F9), [record_summary(r) for r in records])
            # Byte by byte: what the recording holds is exactly what reached the application
            # meanwhile, every field a kind does not use zero.
            summaries = without_repeated_move_summaries([record_summary(r) for r in records[1:]])
            self.assertEqual(summaries, fixture_summaries(e2e.without_repeated_moves(
                [e for e in done if e["type"] in ("key", "button", "move", "wheel")])))
            for kind, code, down, delay, x, y in records:
                self.assertGreaterEqual(delay, 0)
                if kind != e2e.KEY:
                    self.assertEqual(down, 0)
                if kind in (e2e.MOVE, e2e.WHEEL):
                    self.assertEqual(code, 0)
                if kind != e2e.MOVE:
                    self.assertEqual(x, 0)
                if kind in (e2e.KEY, e2e.BUTTON):
                    self.assertEqual(y, 0)
            self.assertIn(("move", 150, 120), summaries)
            self.assertIn(("button", "WM_LBUTTONDOWN"), summaries)
            self.assertIn(("wheel", 120), summaries)
            self.assertIn(("wheel", -120), summaries)
            self.assert_delays_match(records[1:], [e for e in done if e["type"] != "ready"])

            window = wait_main_window(s, visible=True)
            self.assertEqual(list_items(window), ["Runde"])

            # Play it back into the same application.
            select_entry(s, "Runde")
            click_button(s, PLAY_ID)
            wait_main_window(s, visible=False)
            s.focus_window(FIXTURE_TITLE)
            since = len(fixture.events())
            wait_main_window(s, visible=True, timeout=120)
            fixture.wait_quiet(0.5)
            # The window is back, and the application played into keeps the focus (and the last
            # keys that may still wait in its queue).
            self.assertNotIn("lost", [e["args"][0] for e in fixture.events()[since:] if e["type"] == "focus"])
            played = [e for e in fixture.events()[since:] if e["type"] in ("key", "button", "move", "wheel")]
            self.assertEqual(fixture_summaries(played)[-len(summaries):], summaries)
            self.assertEqual([e2e.summarize(e) for e in played if e["type"] != "move"],
                             [record_summary(r) for r in records if r[0] != e2e.MOVE])
            right = [e for e in played if e["type"] == "key" and e["vk"] == VK_RIGHT]
            self.assertTrue(right and all(e["ext"] == 1 for e in right), "arrow keys replay as extended keys")
            self.assert_playback_keeps_time(records, played)
            self.assertEqual(list_items(wait_main_window(s, visible=True)), ["Runde"])

    def assert_delays_match(self, records, events):
        """Each record's delay is the time between the events as the application saw them.
        Generous bounds: the point is milliseconds that mean something, not scheduling."""
        times = [e["t"] for e in events if e["type"] in ("key", "button", "move", "wheel")]
        if len(times) < 2:
            return
        recorded_span = sum(r[3] for r in records[1:])
        seen_span = (times[-1] - times[0]) / 1000.0
        self.assertLess(abs(recorded_span - seen_span), 250,
                        "recorded %d ms against %d ms seen" % (recorded_span, seen_span))

    def assert_playback_keeps_time(self, records, played):
        """The playback's events are as far apart as the recorded delays say."""
        keys_and_buttons = [e for e in played if e["type"] in ("key", "button", "wheel")]
        recorded = [r for r in records if r[0] != e2e.MOVE]
        # Delays between consecutive non-move records, including the moves' delays between them.
        indexes = [i for i, r in enumerate(records) if r[0] != e2e.MOVE]
        expected_ms = [sum(r[3] for r in records[a + 1:b + 1]) for a, b in zip(indexes, indexes[1:])]
        seen_ms = [(b["t"] - a["t"]) / 1000.0 for a, b in zip(keys_and_buttons, keys_and_buttons[1:])]
        self.assertEqual(len(seen_ms), len(expected_ms))
        self.assertEqual(len(recorded), len(keys_and_buttons))
        self.assertLess(abs(sum(seen_ms) - sum(expected_ms)), 250,
                        "played %s ms against %s recorded" % (seen_ms, expected_ms))

    def test_rename_and_remove_through_the_buttons(self):
        original = e2e.key_record(VK_A, True, 10) + e2e.key_record(VK_A, False, 20)
        with e2e.Session() as s:
            work, _, window = start_program(s, {"Alt": original, "Zweite": b""})
            self.assertEqual(sorted(list_items(window)), ["Alt", "Zweite"])

            select_entry(s, "Alt")
            click_button(s, RENAME_ID)
            dialog = wait_dialog(s, RENAMING_TITLE)
            self.assertEqual(dialog_edit_text(dialog), "Alt")
            self.assertIn("Geben Sie der Aufzeichnung einen neuen Name", e2e.message_texts(dialog))
            answer_dialog(s, RENAMING_TITLE, keys_before=["BackSpace"] * 3, text="Neu")
            e2e.wait_for(lambda: os.path.exists(recorded_path(work, "Neu")), 20, "Neu.rec")
            self.assertFalse(os.path.exists(recorded_path(work, "Alt")))
            with open(recorded_path(work, "Neu"), "rb") as f:
                self.assertEqual(f.read(), original)
            e2e.wait_for(lambda: sorted(list_items(wait_main_window(s, True))) == ["Neu", "Zweite"], 20,
                         "the list to show the new name")

            # A name in use is refused with a warning, and the dialog offers it again.
            select_entry(s, "Neu")
            click_button(s, RENAME_ID)
            answer_dialog(s, RENAMING_TITLE, keys_before=["BackSpace"] * 3, text="Zweite")
            box = s.wait_message_box("Eine Aufzeichnung mit diesem Name existiert bereits!")
            s.click_child(box, e2e.child_by_text(box, "button", "OK"))
            dialog = wait_dialog(s, RENAMING_TITLE)
            self.assertEqual(dialog_edit_text(dialog), "Zweite")
            answer_dialog(s, RENAMING_TITLE, final_key="Escape")
            self.assertTrue(os.path.exists(recorded_path(work, "Neu")))

            # Remove: No keeps the file, Yes (Enter, the default button) removes it.
            select_entry(s, "Neu")
            click_button(s, REMOVE_ID)
            question = "Möchten Sie die Aufzeichnung wirklich entfernen?"
            box = s.wait_message_box(question)
            no = [c for c in box["children"] if c["class"].lower() == "button" and c["visible"]][1]
            s.click_child(box, no)
            e2e.wait_for(lambda: not any(question in e2e.message_texts(w) for w in s.windows() if w["visible"]),
                         20, "the question to close")
            self.assertTrue(os.path.exists(recorded_path(work, "Neu")))
            click_button(s, REMOVE_ID)
            s.wait_message_box(question)
            s.key("Return")
            e2e.wait_for(lambda: not os.path.exists(recorded_path(work, "Neu")), 20, "Neu.rec removed")
            e2e.wait_for(lambda: list_items(wait_main_window(s, True)) == ["Zweite"], 20, "the list after removal")

    def test_f9_held_until_it_repeats_stops_at_the_first_repeat(self):
        with e2e.Session() as s:
            work, _, _ = start_program(s)
            s.start_fixture()
            s.key_down("F9")
            wait_dialog(s, NAMING_TITLE)
            s.key_up("F9")
            time.sleep(0.5)
            answer_dialog(s, NAMING_TITLE, text="Halten")
            e2e.wait_for(lambda: os.path.exists(recorded_path(work, "Halten")), 20, "Halten.rec")
            kinds = [record_summary(r) for r in read_records(recorded_path(work, "Halten"))]
            self.assertEqual([k for k in kinds if k[0] != "move"], [],
                             "the first repeat stops the recording before any key is recorded")

    def test_f9_while_the_naming_dialog_is_open_does_nothing(self):
        with e2e.Session() as s:
            work, _, _ = start_program(s)
            s.start_fixture()
            s.key("F9")
            wait_main_window(s, visible=False)
            s.type_text("x")
            time.sleep(0.3)
            s.key("F9")
            wait_dialog(s, NAMING_TITLE)
            s.focus_window(NAMING_TITLE)
            s.key("F9")
            s.type_text("a")
            time.sleep(1.0)
            dialogs = [w for w in s.windows() if w["visible"] and w["title"] == NAMING_TITLE]
            self.assertEqual(len(dialogs), 1, "no second naming dialog")
            self.assertEqual(dialog_edit_text(dialogs[0]), "a", "the key went to the dialog")
            answer_dialog(s, NAMING_TITLE, keys_before=["BackSpace"], text="Eins")
            e2e.wait_for(lambda: os.path.exists(recorded_path(work, "Eins")), 20, "Eins.rec")
            keys = [record_summary(r) for r in read_records(recorded_path(work, "Eins")) if r[0] == e2e.KEY]
            self.assertEqual(keys, [("key", "up", VK_F9), ("key", "down", VK_X), ("key", "up", VK_X)])

            # The next recording, thrown away: Escape, then Yes to the delete question.
            s.focus_window(FIXTURE_TITLE)
            s.key("F9")
            wait_main_window(s, visible=False)
            s.key("F9")
            answer_dialog(s, NAMING_TITLE, final_key="Escape")
            box = s.wait_message_box("Möchten Sie die Aufzeichnung löschen?")
            s.click_child(box, [c for c in box["children"] if c["class"].lower() == "button" and c["visible"]][0])
            e2e.wait_for(lambda: not os.path.exists(recorded_path(work, "TempRecord")), 20,
                         "the thrown-away recording deleted")
            self.assertEqual(sorted(os.listdir(os.path.join(work, "Records"))), ["Eins.rec"])


if __name__ == "__main__":
    e2e.main()
