"""Modules only from the program's own folder: a module planted under a hook module's name in
the working directory and in a folder on PATH (a downloads folder, a share) is never loaded,
whether the program's own module is missing (then its message, as before, in both modes) or
present (then the program runs as usual). The planted module leaves a marker file beside
itself when anything loads it."""

import os
import shutil
import unittest

import tandrel_e2e as e2e

NO_KEYBOARD_HOOK = "Der Tastatur-Hook konnte nicht installiert werden!"
NO_MOUSE_HOOK = "Der Maus-Hook konnte nicht installiert werden!"
MODULES = ("KeyBoardHook.dll", "MouseHook.dll")
PLANTED = os.path.join(e2e.E2E_BIN, "PlantedModule.dll")


class ModuleFolder(unittest.TestCase):

    def plant(self, s):
        """The working directory and a folder on PATH, each with both planted modules."""
        work = s.make_dir("work")
        on_path = s.make_dir("on-path")
        for folder in (work, on_path):
            for name in MODULES:
                shutil.copy(PLANTED, os.path.join(folder, name))
        s.env["WINEPATH"] = e2e.wine_path(on_path)
        self.planted = [os.path.join(folder, name + ".loaded") for folder in (work, on_path) for name in MODULES]
        return work

    def assert_nothing_planted_loaded(self):
        self.assertEqual([m for m in self.planted if os.path.exists(m)], [])

    def dist_with(self, s, *modules):
        dist = s.make_dir("dist")
        for name in ("Tandrel.exe",) + modules:
            shutil.copy(os.path.join(e2e.DIST_DIR, name), dist)
        return dist

    def answer_and_expect_end(self, s, tandrel, text):
        box = s.wait_message_box(text)
        ok = [c for c in box["children"] if c["class"].lower() == "button" and c["visible"]]
        s.click_child(box, ok[0])
        self.assertEqual(s.wait_exit(tandrel, 60), 0)

    def test_the_planted_module_leaves_its_marker_when_loaded(self):
        # So that the markers' absence below means something.
        with e2e.Session() as s:
            work = self.plant(s)
            loader = s.wine("rundll32.exe", [e2e.wine_path(os.path.join(work, "KeyBoardHook.dll")) + ",Nothing"],
                            cwd=work)
            s.wait_exit(loader, 60)
            self.assertTrue(os.path.exists(os.path.join(work, "KeyBoardHook.dll.loaded")))

    def test_a_missing_module_is_reported_not_looked_for_elsewhere(self):
        cases = [("MouseHook.dll", [], NO_KEYBOARD_HOOK), ("KeyBoardHook.dll", [], NO_MOUSE_HOOK),
                 ("MouseHook.dll", ["play.rec"], NO_KEYBOARD_HOOK)]
        for own, args, text in cases:
            with self.subTest(own=own, args=args), e2e.Session() as s:
                work = self.plant(s)
                e2e.write_recording(os.path.join(work, "play.rec"), [e2e.key_record(0x41, True, 0)])
                tandrel = s.start_tandrel(args, cwd=work, dist=self.dist_with(s, own))
                self.answer_and_expect_end(s, tandrel, text)
                self.assert_nothing_planted_loaded()

    def test_with_its_own_modules_the_program_runs_and_loads_nothing_planted(self):
        with e2e.Session() as s:
            work = self.plant(s)
            tandrel = s.start_tandrel([], cwd=work, dist=self.dist_with(s, *MODULES))
            s.wait_window(lambda w: w["visible"] and w["title"] == e2e.MAIN_WINDOW_TITLE, "the main window")
            # Start-up makes the Records folder once the hooks are installed; then F9 starts a
            # recording: the program's own hooks work.
            e2e.wait_for(lambda: os.path.isdir(os.path.join(work, "Records")), 30, "start-up past the hooks")
            s.key("F9")
            e2e.wait_for(lambda: os.path.exists(os.path.join(work, "Records", "TempRecord.rec")), 30,
                         "the recording F9 starts")
            sender = s.wine(os.path.join(e2e.E2E_BIN, "SendToWindow.exe"), [e2e.MAIN_WINDOW_TITLE, "close"])
            s.wait_exit(sender, 60)
            self.assertEqual(s.wait_exit(tandrel, 60), 0)
            self.assert_nothing_planted_loaded()


if __name__ == "__main__":
    e2e.main()
