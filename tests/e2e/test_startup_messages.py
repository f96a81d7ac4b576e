"""The messages with which start-up gives up, read from the screen and answered with a click
on OK like a person would; after each the program ends with exit code 0."""

import os
import shutil
import time
import unittest

import tandrel_e2e as e2e

NOT_FOUND = "Aufnahmedatei wurde nicht gefunden!"
NO_KEYBOARD_HOOK = "Der Tastatur-Hook konnte nicht installiert werden!"
NO_MOUSE_HOOK = "Der Maus-Hook konnte nicht installiert werden!"
ALL_MESSAGES = (NOT_FOUND, NO_KEYBOARD_HOOK, NO_MOUSE_HOOK)
SS_TYPEMASK, SS_ICON = 0x1F, 0x3


class StartupMessages(unittest.TestCase):

    def answer_and_expect_end(self, s, tandrel, text):
        """Checks the message box that says `text`, clicks its OK button and waits for the end."""
        box = s.wait_message_box(text)
        self.assertEqual(box["title"], e2e.MESSAGE_TITLE)
        buttons = [c for c in box["children"] if c["class"].lower() == "button" and c["visible"]]
        self.assertEqual([b["text"] for b in buttons], ["OK"], "an error box has one button, OK")
        icons = [c for c in box["children"]
                 if c["class"].lower() == "static" and c["style"] & SS_TYPEMASK == SS_ICON]
        self.assertEqual(len(icons), 1, "the box shows an icon")
        others = [t for t in ALL_MESSAGES if t != text and t in e2e.message_texts(box)]
        self.assertEqual(others, [])

        s.click_child(box, buttons[0])
        self.assertEqual(s.wait_exit(tandrel, 60), 0)
        self.assertNotIn("Tandrel.exe", s.probe()["processes"])
        return box

    def assert_no_visible_main_window(self, s):
        visible = [w for w in s.windows() if w["visible"] and w["title"] == e2e.MAIN_WINDOW_TITLE]
        self.assertEqual(visible, [], "unattended mode shows no main window")

    def test_missing_recording(self):
        with e2e.Session() as s:
            work = s.make_dir("work")
            tandrel = s.start_tandrel(["nothing-here.rec", "/speed=3"], cwd=work)
            s.wait_message_box(NOT_FOUND)
            self.assert_no_visible_main_window(s)
            # The Records folder is made before the recording is looked for.
            self.assertTrue(os.path.isdir(os.path.join(work, "Records")))
            self.answer_and_expect_end(s, tandrel, NOT_FOUND)

    def test_recording_path_that_is_a_folder(self):
        with e2e.Session() as s:
            work = s.make_dir("work")
            os.makedirs(os.path.join(work, "folder.rec"))
            tandrel = s.start_tandrel(["folder.rec"], cwd=work)
            s.wait_message_box(NOT_FOUND)
            self.assert_no_visible_main_window(s)
            self.answer_and_expect_end(s, tandrel, NOT_FOUND)

    def start_with_one_module(self, s, module):
        """Tandrel.exe with only `module` beside it, started in interactive mode."""
        dist = s.make_dir("dist-" + module)
        for name in ("Tandrel.exe", module):
            shutil.copy(os.path.join(e2e.DIST_DIR, name), dist)
        self.work = s.make_dir("work")
        return s.start_tandrel([], cwd=self.work, dist=dist)

    def test_keyboard_hook_module_missing(self):
        with e2e.Session() as s:
            tandrel = self.start_with_one_module(s, "MouseHook.dll")
            s.wait_message_box(NO_KEYBOARD_HOOK)
            # In interactive mode the window is already up when the hooks are installed.
            self.assertTrue(any(w["visible"] and w["title"] == e2e.MAIN_WINDOW_TITLE for w in s.windows()))
            # The mouse hook is never tried: its message must not follow this one.
            self.answer_and_expect_end(s, tandrel, NO_KEYBOARD_HOOK)

    def test_mouse_hook_module_missing(self):
        with e2e.Session() as s:
            tandrel = self.start_with_one_module(s, "KeyBoardHook.dll")
            # The keyboard hook is down while the message is open: an F9 then starts no
            # recording that the exit would write into the Records folder.
            os.makedirs(os.path.join(self.work, "Records"))
            s.wait_message_box(NO_MOUSE_HOOK)
            s.key("F9")
            time.sleep(1.5)
            self.answer_and_expect_end(s, tandrel, NO_MOUSE_HOOK)
            self.assertEqual(os.listdir(os.path.join(self.work, "Records")), [])


if __name__ == "__main__":
    e2e.main()
