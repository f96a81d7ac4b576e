"""The naming dialog after a visit to another window, with the shipped program under Wine: F9,
F9, the dialog opens; another window takes the focus; the user comes back to the dialog (as a
click on it or Alt+Tab would) and types a name and Enter. The name typed then reaches the entry
field, and the recording is saved under it."""

import os
import time
import unittest

import tandrel_e2e as e2e
from recording_steps import NAMING_TITLE, start_program, wait_dialog, wait_main_window

NAME = "Nach dem Umweg"
FIXTURE_TITLE = "Tandrel Fixture"


class DialogFocus(unittest.TestCase):

    def test_a_name_typed_after_coming_back_to_the_naming_dialog_is_saved(self):
        with e2e.Session() as s:
            work, _, _ = start_program(s)
            # Another application, which has the focus: F9 reaches the program through it.
            s.start_fixture()
            s.key("F9")
            wait_main_window(s, visible=False)
            s.key("F9")
            wait_dialog(s, NAMING_TITLE)
            time.sleep(0.5)
            # To the other application and back to the dialog.
            s.focus_window(FIXTURE_TITLE)
            time.sleep(0.5)
            s.focus_window(NAMING_TITLE)
            time.sleep(0.5)
            s.type_text(NAME)
            s.key("Return")
            saved = os.path.join(work, "Records", NAME + ".rec")
            e2e.wait_for(lambda: os.path.exists(saved), 30, "the recording saved as %r" % NAME)
            self.assertFalse(os.path.exists(os.path.join(work, "Records", "TempRecord.rec")))


if __name__ == "__main__":
    e2e.main()
