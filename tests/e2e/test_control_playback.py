"""Playback that waits for the application's controls, with the shipped program under Wine: a
form with a field and an OK button is recorded in one layout (a click into the field, a name
typed, a click on OK, all from xdotool) and played into another, where the field comes 2.5 s
late and 100 px lower and OK sits at the bottom right, disabled for its first 4.5 s: the field
gets the name, OK is clicked once, after it was enabled, and nothing lands on the form's
background. With OK never enabled the playback stops with its message within the time-out and
nothing is clicked. A form that stops answering for 3 s after the click into its field is
waited for before OK is clicked. A recording made at 96 DPI clicks the same controls in a
prefix at 144 DPI."""

import os
import subprocess
import time
import unittest

import tandrel_e2e as e2e
from recording_steps import read_records, save_recording, start_program, start_recording
from run_log_steps import clear_run_log, run_log_lines

NAME = "Anna"
FORM = "TandrelForm"
# Layouts in 96-DPI pixels (the form scales them to its DPI): x, y, width, height, field x,
# field y, field delay ms, OK x, OK y, OK enabled after ms (-1 never), hang ms.
LAYOUT_A = (100, 100, 420, 260, 20, 40, 0, 20, 90, 0, 0)
LAYOUT_B = (100, 100, 640, 420, 20, 140, 2500, 524, 340, 4500, 0)
LAYOUT_B_OK_NEVER = LAYOUT_B[:9] + (-1, 0)
LAYOUT_A_HANGS = LAYOUT_A[:10] + (3000,)
CONTROL_NOT_READY = "Das Steuerelement der Aufnahme ist nicht bereit geworden!"


def start_form(s, layout, wait=True):
    """Starts FormFixture.exe in this layout; waits until its window is up unless asked not to."""
    log = os.path.join(s.tmp, "form-%d.log" % time.monotonic_ns())
    process = s.wine(os.path.join(e2e.E2E_BIN, "FormFixture.exe"),
                     [e2e.wine_path(log), FORM] + [str(v) for v in layout])
    form = e2e.Fixture(process, log)
    if wait:
        e2e.wait_for(lambda: events_of(form, "ready"), 60, "the form")
        form.wait_quiet(0.5)
    return form


def events_of(form, kind, *args):
    """The form's events of this kind whose first arguments are `args`."""
    return [e for e in form.events() if e["type"] == kind and e["args"][:len(args)] == list(args)]


def record_in_layout_a(s):
    """Records with the real program what xdotool does in layout A: a click into the field, the
    name typed, a click on OK. Returns the working folder and the recording's path."""
    work, tandrel, _ = start_program(s)
    form = start_form(s, LAYOUT_A)
    window = [w for w in s.windows("FormFixture.exe") if w["visible"] and w["class"] == FORM][0]
    field = [c for c in window["children"] if c["class"].lower() == "edit"][0]
    ok = e2e.child_by_text(window, "button", "OK")
    start_recording(s)
    s.click_child(window, field)
    time.sleep(0.2)
    s.type_text(NAME)
    time.sleep(0.2)
    s.click_child(window, ok)
    form.wait_quiet(0.5)
    s.key("F9")
    path = save_recording(s, work, "Formular")
    tandrel.terminate()
    tandrel.wait(timeout=30)
    form.process.terminate()
    assert [e["args"] for e in events_of(form, "ok", "clicked")] == [["clicked", NAME]], form.events()
    kinds = [r[0] for r in read_records(path, groups=True)]
    assert kinds.count(e2e.kind_number("ControlPlace")) == 2, "a control group for the field and one for OK: %r" % kinds
    return work, path


def on_background(form):
    """Clicks and key presses the form's background got. The release of F9, a recording's first
    record, goes wherever the focus is as the pass begins."""
    return [e for e in form.events() if e["type"] == "background" and
            not (e["args"] == ["key", "up"] and e["vk"] == 0x78)]


def play(s, work, path, layout, form_first):
    """Plays the recording unattended into a new form of this layout, started before the
    program or right after it (so that the pass's first click may come before the form)."""
    form = start_form(s, layout) if form_first else None
    player = s.start_tandrel([os.path.relpath(path, work)], cwd=work)
    return form or start_form(s, layout, wait=False), player


class ControlPlayback(unittest.TestCase):

    def assert_name_and_one_click_on_ok(self, form):
        self.assertEqual([e["args"] for e in events_of(form, "ok", "clicked")], [["clicked", NAME]])
        self.assertEqual(len(events_of(form, "ok", "button")), 1)
        self.assertEqual(on_background(form), [], "nothing on the background")

    def test_a_form_in_another_layout_that_loads_late_and_one_whose_ok_never_comes(self):
        with e2e.Session() as s:
            work, path = record_in_layout_a(s)

            form, player = play(s, work, path, LAYOUT_B, form_first=False)
            self.assertEqual(s.wait_exit(player, 120), 0)
            form.wait_quiet(1.0)
            self.assert_name_and_one_click_on_ok(form)
            self.assertLess(events_of(form, "field", "created")[0]["t"], events_of(form, "field", "button")[0]["t"])
            self.assertLess(events_of(form, "ok", "enabled")[0]["t"], events_of(form, "ok", "button")[0]["t"])
            form.process.terminate()

            clear_run_log()
            form, player = play(s, work, path, LAYOUT_B_OK_NEVER, form_first=False)
            started = time.monotonic()
            box = s.wait_window(lambda w: w["visible"] and w["class"] == "#32770" and
                                CONTROL_NOT_READY in " ".join(e2e.message_texts(w)),
                                "the message that OK never became ready", timeout=90)
            # The press is due some 4 s into the pass; then 10 s of waiting.
            self.assertLess(time.monotonic() - started, 45)
            text = " ".join(e2e.message_texts(box))
            self.assertIn("Fensterklasse: " + FORM, text)
            self.assertIn("Steuerelement: Button", text)
            form.wait_quiet(1.0)
            self.assertEqual(events_of(form, "ok", "button"), [], "OK never clicked")
            self.assertEqual(on_background(form), [])
            self.assertTrue(events_of(form, "field", "key", "down"), "the name typed into the field")
            s.focus_window(e2e.MESSAGE_TITLE)
            s.key("Return")
            self.assertEqual(s.wait_exit(player, 60), 0)
            self.assertEqual(run_log_lines()[-1]["word"], "control-missing")

    def test_a_form_that_stops_answering_and_a_form_at_another_display_scale(self):
        with e2e.Session() as s:
            work, path = record_in_layout_a(s)
            form, player = play(s, work, path, LAYOUT_A_HANGS, form_first=True)
            self.assertEqual(s.wait_exit(player, 120), 0)
            form.wait_quiet(1.0)
            self.assert_name_and_one_click_on_ok(form)
            # The click on OK came a second after the one into the field, while the form did
            # not answer: it went in only once the form answered again.
            hang_end = events_of(form, "hang", "end")[0]["tick"]
            self.assertGreaterEqual(events_of(form, "ok", "button")[0]["msgtime"], hang_end)
            with open(path, "rb") as f:
                recording = f.read()

        dpi_prefix = os.path.join(e2e.BUILD_DIR, "wineprefix-dpi144")
        subprocess.run(["bash", os.path.join(e2e.SOURCE_DIR, "tests", "win", "make-dpi-prefix.sh"), dpi_prefix, "144"],
                       check=True, timeout=300, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        build_prefix = e2e.WINEPREFIX
        e2e.WINEPREFIX = dpi_prefix
        try:
            with e2e.Session() as s:
                work = s.make_dir("work")
                path = os.path.join(work, "Formular.rec")
                with open(path, "wb") as f:
                    f.write(recording)
                form, player = play(s, work, path, LAYOUT_A, form_first=True)
                self.assertEqual(events_of(form, "ready")[0]["dpi"], 144)
                self.assertEqual(s.wait_exit(player, 120), 0)
                form.wait_quiet(1.0)
                self.assert_name_and_one_click_on_ok(form)
        finally:
            e2e.WINEPREFIX = build_prefix


if __name__ == "__main__":
    e2e.main()
