"""Interactive start: the main window as the probe reads it back (title, size, place, stacking,
the ten gadgets), the recordings of the Records folder of the working directory in its list,
and the end through Alt+F4; the Repeat count field, read at each press of Abspielen."""

import os
import unittest

import tandrel_e2e as e2e
from recording_steps import FIELD_ID, PLAY_ID, click_button, select_entry, start_program, wait_main_window

WS_CAPTION, WS_SYSMENU, WS_THICKFRAME = 0x00C00000, 0x00080000, 0x00040000
WS_MINIMIZEBOX, WS_MAXIMIZEBOX, WS_TABSTOP = 0x00020000, 0x00010000, 0x00010000
WS_EX_CLIENTEDGE = 0x200
BS_TYPEMASK, BS_PUSHBUTTON, BS_GROUPBOX = 0xF, 0x0, 0x7
SS_TYPEMASK, SS_LEFT = 0x1F, 0x0
LBS_NOTIFY, LBS_SORT, LBS_MULTIPLESEL, LBS_HASSTRINGS = 0x1, 0x2, 0x8, 0x40
LBS_NOINTEGRALHEIGHT, LBS_EXTENDEDSEL = 0x100, 0x800
ES_RIGHT, ES_AUTOHSCROLL, ES_NUMBER = 0x2, 0x80, 0x2000

# id: (class, text, x, y, width, height)
GADGETS = {
    0: ("Button", "Aufzeichnungen", 5, 5, 395, 240),
    1: ("ListBox", "", 10, 20, 385, 155),
    2: ("Static", "Wiederholung der Wiedergabe:", 15, 185, 175, 15),
    3: ("Edit", "0", 195, 182, 40, 20),
    4: ("Button", "Abspielen", 10, 210, 125, 30),
    5: ("Button", "Umbenennen", 140, 210, 125, 30),
    6: ("Button", "Entfernen", 270, 210, 125, 30),
    7: ("Static", "Aufzeichnung starten/stoppen:", 10, 255, 175, 15),
    8: ("Static", "Abspielen stoppen:", 10, 275, 125, 15),
    9: ("Static", "F9-Taste dr\u00fccken", 210, 265, 110, 15),
}

RECORDINGS = ["Erste", "Zweite Aufnahme", "dritte.v2", "\u00dcbung"]
FIXTURE_TITLE = "Tandrel Fixture"
VK_A = 0x41


class MainWindow(unittest.TestCase):

    def test_window_gadgets_and_list_then_alt_f4(self):
        with e2e.Session() as s:
            work = s.make_dir("work")
            records = os.path.join(work, "Records")
            os.makedirs(records)
            for name in RECORDINGS:
                e2e.write_recording(os.path.join(records, name + ".rec"), [e2e.move_record(1, 1, 0)])
            # Neither a folder named like a recording nor another kind of file is listed.
            os.makedirs(os.path.join(records, "Ordner.rec"))
            with open(os.path.join(records, "notes.txt"), "w") as f:
                f.write("not a recording")

            tandrel = s.start_tandrel([], cwd=work)
            window = s.wait_window(lambda w: w["visible"] and w["title"] == e2e.MAIN_WINDOW_TITLE,
                                   "the main window")
            # The list is filled right after the window opens: read it again once it has entries.
            window = s.wait_window(
                lambda w: w["hwnd"] == window["hwnd"] and (e2e.child_by_id(w, 1) or {}).get("items"),
                "the recordings in the list")

            self.check_frame(window)
            self.check_gadgets(window)

            listbox = e2e.child_by_id(window, 1)
            self.assertEqual(sorted(listbox["items"]), sorted(RECORDINGS))
            self.assertEqual(listbox["selection"], -1, "no entry is selected at the start")

            # Alt+F4 asks the window to close, which ends the program.
            s.focus_window(e2e.MAIN_WINDOW_TITLE)
            s.key("alt+F4")
            self.assertEqual(s.wait_exit(tandrel, 60), 0)
            self.assertNotIn("Tandrel.exe", s.probe()["processes"])

    def test_the_repeat_count_field_sets_the_passes_of_each_play(self):
        with e2e.Session() as s:
            # The fixture first: the program's window, always on top, then comes up over it.
            fixture = s.start_fixture()
            start_program(s, {"Taste": e2e.key_record(VK_A, True, 0) + e2e.key_record(VK_A, False, 50)})
            # One more pass, then none more: the field is read again at each press.
            for text, passes in (("1", 2), ("0", 1)):
                select_entry(s, "Taste")
                self.type_into_field(s, text)
                since = len(fixture.events())
                click_button(s, PLAY_ID)
                wait_main_window(s, visible=False)
                s.focus_window(FIXTURE_TITLE)
                wait_main_window(s, visible=True, timeout=120)
                fixture.wait_quiet(0.5)
                presses = [e for e in fixture.input_events(since) if e["type"] == "key" and e["vk"] == VK_A]
                self.assertEqual([e["args"][0] for e in presses], ["down", "up"] * passes,
                                 "the field read %r" % text)

    def type_into_field(self, s, text):
        """Clicks into the Repeat count field, empties it with Backspace and types `text`."""
        window = wait_main_window(s, visible=True)
        s.click_child(window, e2e.child_by_id(window, FIELD_ID))
        s.key("End", *["BackSpace"] * 4)
        s.type_text(text)
        e2e.wait_for(lambda: e2e.child_by_id(wait_main_window(s, visible=True), FIELD_ID)["text"] == text, 20,
                     "the field to read %r" % text)

    def check_frame(self, window):
        self.assertEqual(window["client"], [405, 300])
        self.assertTrue(window["topmost"], "the main window stays on top")
        self.assertTrue(window["enabled"])
        style = window["style"]
        self.assertEqual(style & (WS_CAPTION | WS_SYSMENU), WS_CAPTION | WS_SYSMENU)
        self.assertEqual(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0,
                         "no sizing border, no minimise or maximise box")
        left, top, right, bottom = window["rect"]
        width, height = right - left, bottom - top
        self.assertGreater(width, 405)
        self.assertGreater(height, 300)
        self.assertLessEqual(abs(left - (e2e.SCREEN_WIDTH - width) // 2), 1, window["rect"])
        self.assertLessEqual(abs(top - (e2e.SCREEN_HEIGHT - height) // 2), 1, window["rect"])

    def check_gadgets(self, window):
        gadgets = {c["id"]: c for c in window["children"] if c["parent"] == window["hwnd"]}
        self.assertEqual(sorted(gadgets), list(range(10)))
        for number, (cls, text, x, y, w, h) in GADGETS.items():
            c = gadgets[number]
            self.assertEqual(c["class"].lower(), cls.lower(), "gadget %d" % number)
            if cls != "ListBox":
                self.assertEqual(c["text"], text, "gadget %d" % number)
            self.assertEqual(c["rect"], [x, y, w, h], "gadget %d" % number)
            self.assertTrue(c["visible"] and c["enabled"], "gadget %d" % number)

        self.assertEqual(gadgets[0]["style"] & BS_TYPEMASK, BS_GROUPBOX)
        for number in (4, 5, 6):
            self.assertEqual(gadgets[number]["style"] & BS_TYPEMASK, BS_PUSHBUTTON)
            self.assertTrue(gadgets[number]["style"] & WS_TABSTOP)
        for number in (2, 7, 8, 9):
            self.assertEqual(gadgets[number]["style"] & SS_TYPEMASK, SS_LEFT)

        listbox = gadgets[1]
        wanted = LBS_NOTIFY | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT | WS_TABSTOP
        self.assertEqual(listbox["style"] & wanted, wanted)
        self.assertEqual(listbox["style"] & (LBS_SORT | LBS_MULTIPLESEL | LBS_EXTENDEDSEL), 0,
                         "one selection, entries in the order added")
        self.assertTrue(listbox["exstyle"] & WS_EX_CLIENTEDGE)

        field = gadgets[3]
        wanted = ES_NUMBER | ES_RIGHT | ES_AUTOHSCROLL | WS_TABSTOP
        self.assertEqual(field["style"] & wanted, wanted)
        self.assertTrue(field["exstyle"] & WS_EX_CLIENTEDGE)


if __name__ == "__main__":
    e2e.main()
