"""Steps that the recording tests share: starting the program in a folder of its own, reading
its main window and list, starting and naming a recording, and reading recording files back."""

import os
import struct
import time

import tandrel_e2e as e2e

NAMING_TITLE = "Aufzeichnung benennen"
RENAMING_TITLE = "Aufzeichnung umbenennen"
VK_F9 = 0x78
LIST_ID, FIELD_ID, PLAY_ID, RENAME_ID, REMOVE_ID = 1, 3, 4, 5, 6


def read_records(path, groups=False):
    """The records of a recording file as tuples (kind, code, down, delay, x, y); the records
    that the recorder writes beside the input (window and control groups, each record with
    delay 0; tandrel_e2e.is_beside_input) only when asked for."""
    with open(path, "rb") as f:
        data = f.read()
    assert len(data) % 16 == 0, "a recording is a whole number of 16-byte records"
    records = [struct.unpack("<bhbiii", data[i:i + 16]) for i in range(0, len(data), 16)]
    return [r for r in records if groups or not e2e.is_beside_input(r[0])]


def record_summary(rec):
    """The form in which the fixture's events are compared (see tandrel_e2e.summarize)."""
    kind, code, down, _, x, y = rec
    if kind == e2e.KEY:
        return ("key", "down" if down else "up", code)
    if kind == e2e.BUTTON:
        x_button = code in (e2e.WM_XBUTTONDOWN, e2e.WM_XBUTTONUP)
        return ("button", e2e.BUTTON_NAMES[code]) + ((y,) if x_button else ())
    if kind == e2e.MOVE:
        return ("move", x, y)
    if kind == e2e.WHEEL:
        return ("wheel", y * 120)
    if kind == e2e.HORIZONTAL_WHEEL:
        return ("hwheel", y * 120)
    raise AssertionError("a record of kind %d is not input the fixture sees: %r" % (kind, rec))


def without_repeated_move_summaries(summaries):
    out, last = [], None
    for s in summaries:
        if s[0] == "move":
            if s == last:
                continue
            last = s
        out.append(s)
    return out


def start_program(s, records=None):
    """Starts Tandrel.exe in a fresh working folder whose Records folder holds `records`
    ({name: bytes}); returns (working folder, process, main window)."""
    work = s.make_dir("work-%d" % time.monotonic_ns())
    if records is not None:
        os.makedirs(os.path.join(work, "Records"), exist_ok=True)
        for name, data in records.items():
            with open(os.path.join(work, "Records", name + ".rec"), "wb") as f:
                f.write(data)
    process = s.start_tandrel(cwd=work)
    window = wait_main_window(s, visible=True)
    return work, process, window


def start_recording(s):
    """Presses F9 where the focus is and waits until the main window has gone: a recording
    runs."""
    s.key("F9")
    wait_main_window(s, visible=False)


def save_recording(s, work, name, timeout=20):
    """Gives the recording `name` in the naming dialog and waits until its file is in the
    Records folder of `work`; returns the file's path."""
    answer_dialog(s, NAMING_TITLE, text=name)
    path = os.path.join(work, "Records", name + ".rec")
    e2e.wait_for(lambda: os.path.exists(path), timeout, name + ".rec")
    return path


def main_windows(s):
    return [w for w in s.windows() if w["title"] == e2e.MAIN_WINDOW_TITLE]


def wait_main_window(s, visible, timeout=60):
    return s.wait_window(lambda w: w["title"] == e2e.MAIN_WINDOW_TITLE and w["visible"] == visible,
                         "the main window %s" % ("shown" if visible else "hidden"), timeout=timeout)


def list_items(window):
    return e2e.child_by_id(window, LIST_ID)["items"]


def select_entry(s, name):
    """Clicks the first entry of the recordings list, then moves down with the arrow key to the
    entry called `name`, like a person who knows the list; returns the main window."""
    window = wait_main_window(s, visible=True)
    items = list_items(window)
    index = items.index(name)
    lst = e2e.child_by_id(window, LIST_ID)
    x, y, _, _ = lst["rect"]
    ox, oy = window["clientOrigin"]
    s.click_at(ox + x + 30, oy + y + 7)
    for _ in range(index):
        s.key("Down")
    return e2e.wait_for(lambda: _selected(s, name), 20, "the entry %r selected" % name)


def _selected(s, name):
    for w in main_windows(s):
        lst = e2e.child_by_id(w, LIST_ID)
        if lst["selection"] >= 0 and lst["items"][lst["selection"]] == name:
            return w
    return None


def click_button(s, control_id):
    window = wait_main_window(s, visible=True)
    s.click_child(window, e2e.child_by_id(window, control_id))


def wait_dialog(s, title, timeout=30):
    return s.wait_window(lambda w: w["visible"] and w["title"] == title, "the dialog %r" % title,
                         timeout=timeout)


def answer_dialog(s, title, keys_before=(), text=None, final_key="Return"):
    """Gives the dialog the focus as a click on it would, presses `keys_before`, types `text`
    and presses `final_key`; waits until the dialog is gone."""
    wait_dialog(s, title)
    s.focus_window(title)
    time.sleep(0.2)
    for k in keys_before:
        s.key(k)
    if text:
        s.type_text(text)
    s.key(final_key)
    e2e.wait_for(lambda: not [w for w in s.windows() if w["visible"] and w["title"] == title], 30,
                 "the dialog %r to close" % title)


def dialog_edit_text(window):
    edits = [c for c in window["children"] if c["class"].lower() == "edit"]
    return edits[0]["text"] if edits else None
