"""Driver library of Tandrel's end-to-end tests (Python 3 standard library only).

A Session owns everything a test starts: a virtual X display of its own (Xvfb), the Wine
processes it launches (the program, the fixture window, the probe), a temporary folder. It
stops exactly those processes by their ids, then the prefix's wineserver, then the display.

The tests act like a person, with xdotool (keys, typing, mouse moves, clicks, the wheel), and
read the program's windows through the probe (TandrelProbe.exe) and the input that reached
the fixture window (TandrelFixture.exe) through its log. They wait for conditions by polling
with a deadline.

Where things are comes from the environment that ctest sets: TANDREL_BUILD_DIR (the build
under test; its Wine prefix is <build>/wineprefix unless TANDREL_WINEPREFIX names another),
TANDREL_DIST_DIR (the shipped files) and TANDREL_SOURCE_DIR.
"""

import json
import os
import select
import shutil
import struct
import subprocess
import tempfile
import time
import unittest

SOURCE_DIR = os.environ.get("TANDREL_SOURCE_DIR") or os.path.abspath(
    os.path.join(os.path.dirname(__file__), "..", ".."))
BUILD_DIR = os.environ.get("TANDREL_BUILD_DIR") or os.path.join(SOURCE_DIR, "build")
DIST_DIR = os.environ.get("TANDREL_DIST_DIR") or os.path.join(BUILD_DIR, "dist")
E2E_BIN = os.path.join(BUILD_DIR, "e2e")
WINEPREFIX = os.environ.get("TANDREL_WINEPREFIX") or os.path.join(BUILD_DIR, "wineprefix")
SCREEN_WIDTH, SCREEN_HEIGHT = 1280, 1024

MESSAGE_TITLE = "Vorsk - Tandrel"
MAIN_WINDOW_TITLE = "Vorsk - Tandrel 1.4"



# ---- record kinds --------------------------------------------------------------------------

def _record_kinds():
    """The record kinds as the program under test is built with them: the build's
    generated/record_kinds.json, made from src/recording/RecordKinds.def (cmake/RecordKinds.cmake).
    The tests keep no copy of the numbers."""
    path = os.path.join(BUILD_DIR, "generated", "record_kinds.json")
    if not os.path.exists(path):
        raise RuntimeError("%s is missing: configure the build (cmake --preset mingw) first" % path)
    with open(path, encoding="utf-8") as f:
        return {row["name"]: row for row in json.load(f)}


RECORD_KINDS = _record_kinds()
_KIND_ROWS = {row["number"]: row for row in RECORD_KINDS.values()}


def kind_number(name):
    """The kind byte of the kind called `name` in RecordKinds.def ("WindowPlace")."""
    return RECORD_KINDS[name]["number"]


def is_played_input(kind):
    """Whether the player injects records of this kind byte."""
    row = _KIND_ROWS.get(kind)
    return row is not None and row["player"] == "PlayedInput"


def is_beside_input(kind):
    """Whether records of this kind are what the recorder writes beside the input: window and
    control groups, and kinds that the player skips. Unknown kinds are not."""
    row = _KIND_ROWS.get(kind)
    return row is not None and row["player"] != "PlayedInput"


KEY, BUTTON, MOVE, WHEEL, HORIZONTAL_WHEEL = (kind_number(name)
                                              for name in ("Key", "Button", "Move", "Wheel", "HorizontalWheel"))
# The button message numbers that a recording holds.
WM_LBUTTONDOWN, WM_LBUTTONUP = 0x201, 0x202
WM_RBUTTONDOWN, WM_RBUTTONUP = 0x204, 0x205
WM_MBUTTONDOWN, WM_MBUTTONUP = 0x207, 0x208
WM_XBUTTONDOWN, WM_XBUTTONUP = 0x20B, 0x20C
BUTTON_NAMES = {
    WM_LBUTTONDOWN: "WM_LBUTTONDOWN", WM_LBUTTONUP: "WM_LBUTTONUP",
    WM_RBUTTONDOWN: "WM_RBUTTONDOWN", WM_RBUTTONUP: "WM_RBUTTONUP",
    WM_MBUTTONDOWN: "WM_MBUTTONDOWN", WM_MBUTTONUP: "WM_MBUTTONUP",
    WM_XBUTTONDOWN: "WM_XBUTTONDOWN", WM_XBUTTONUP: "WM_XBUTTONUP",
}


# ---- recording files ---------------------------------------------------------------------

def record(kind, code=0, down=0, delay=0, x=0, y=0):
    """One 16-byte input record: kind (8 bit), code (16 bit), down (8 bit), delay, x, y (32 bit),
    packed, little-endian."""
    return struct.pack("<bhbiii", kind, code, down, delay, x, y)


def key_record(vk, down, delay):
    return record(KEY, vk, 1 if down else 0, delay)


def button_record(message, delay):
    return record(BUTTON, message, 0, delay)


def move_record(x, y, delay):
    return record(MOVE, 0, 0, delay, x, y)


def wheel_record(notches, delay):
    return record(WHEEL, 0, 0, delay, 0, notches)


def write_recording(path, records):
    with open(path, "wb") as f:
        f.write(b"".join(records))


def wine_path(path):
    """The Windows name of a Linux path (Wine maps the root to drive Z:)."""
    return "Z:" + os.path.abspath(path).replace("/", "\\")


# ---- waiting -------------------------------------------------------------------------------

def wait_for(condition, timeout, what, interval=0.1):
    """Polls condition() until it returns something true, and returns that. Fails the test
    with `what` when the deadline passes."""
    deadline = time.monotonic() + timeout
    while True:
        result = condition()
        if result:
            return result
        if time.monotonic() >= deadline:
            raise AssertionError("timed out after %.0f s waiting for %s" % (timeout, what))
        time.sleep(interval)


# ---- the fixture's log ---------------------------------------------------------------------

def parse_fixture_line(line):
    """'123 key down vk=0x41 scan=0x01 ext=0 sys=0 repeat=0' ->
    {'t': 123, 'type': 'key', 'args': ['down'], 'vk': 65, 'scan': 1, ...}"""
    tokens = line.split()
    event = {"t": int(tokens[0]), "type": tokens[1], "args": []}
    for token in tokens[2:]:
        if "=" in token:
            name, value = token.split("=", 1)
            event[name] = int(value, 0)
        else:
            event["args"].append(token)
    return event


class Fixture:
    """The full-screen window that logs the input it receives."""

    def __init__(self, process, log_path):
        self.process = process
        self.log_path = log_path

    def events(self):
        """Every event logged so far, oldest first (times in microseconds)."""
        try:
            with open(self.log_path, "r", encoding="ascii", errors="replace") as f:
                lines = f.read().splitlines()
        except FileNotFoundError:
            return []
        # A line is complete once its newline is written; the last one may still be growing.
        return [parse_fixture_line(line) for line in lines if line.strip() and len(line.split()) >= 2]

    def input_events(self, since=0):
        """Keys, buttons, moves and wheel turns logged after index `since` of events()."""
        return [e for e in self.events()[since:] if e["type"] in ("key", "button", "move", "wheel", "hwheel")]

    def wait_quiet(self, quiet=1.0, timeout=30):
        """Waits until the log has not grown for `quiet` seconds (all queued input handled)."""
        state = {"count": -1, "since": time.monotonic()}

        def settled():
            count = len(self.events())
            now = time.monotonic()
            if count != state["count"]:
                state["count"], state["since"] = count, now
                return False
            return now - state["since"] >= quiet
        wait_for(settled, timeout, "the fixture log to settle")


def summarize(event):
    """A comparable form of one input event: ('key', 'down', vk), ('button', name),
    ('button', name, xbutton) for the X buttons, ('move', x, y), ('wheel', delta),
    ('hwheel', delta)."""
    if event["type"] == "key":
        return ("key", event["args"][0], event["vk"])
    if event["type"] == "button":
        return ("button", event["args"][0]) + ((event["xbutton"],) if "xbutton" in event else ())
    if event["type"] == "move":
        return ("move", event["x"], event["y"])
    return (event["type"], event["delta"])


def without_repeated_moves(events):
    """Moves to the position the pointer already has say nothing: the window system may
    report a position more than once. Keeps the first of each run of equal positions."""
    out = []
    last_position = None
    for e in events:
        if e["type"] == "move":
            position = (e["x"], e["y"])
            if position == last_position:
                continue
            last_position = position
        out.append(e)
    return out


# ---- the session ---------------------------------------------------------------------------

class Session:
    """Display, Wine processes and a temporary folder of one test (use it with `with`)."""

    def __init__(self, screen="%dx%dx24" % (SCREEN_WIDTH, SCREEN_HEIGHT)):
        self.screen = screen
        self.processes = []
        self.xvfb = None
        self.tmp = None
        self.env = None
        self._counter = 0

    # -- start and stop

    def __enter__(self):
        try:
            self.start()
        except BaseException:
            self.stop()
            raise
        return self

    def __exit__(self, *exc):
        self.stop()
        return False

    def start(self):
        for tool in ("wine", "wineserver", "Xvfb", "xdotool"):
            if shutil.which(tool) is None:
                raise RuntimeError("%s is not installed (scripts/ensure-deps.sh installs it)" % tool)
        self.tmp = tempfile.mkdtemp(prefix="tandrel-e2e-")
        env = dict(os.environ)
        env.pop("DISPLAY", None)
        env.update({
            "WINEPREFIX": WINEPREFIX,
            "TANDREL_WINEPREFIX": WINEPREFIX,
            "WINEARCH": "win32",
            "WINEDEBUG": "-all",
            "WINEDLLOVERRIDES": "mscoree,mshtml=",
        })
        # The prefix is made once per build (no display needed for that).
        subprocess.run([os.path.join(SOURCE_DIR, "tests", "harness", "make-prefix.sh")],
                       env=env, check=True, timeout=300,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.env = env
        self._start_display()

    def _start_display(self):
        # Xvfb picks a free display number itself and writes it to the pipe when it is ready.
        read_end, write_end = os.pipe()
        try:
            self.xvfb = subprocess.Popen(
                ["Xvfb", "-displayfd", str(write_end), "-screen", "0", self.screen, "-nolisten", "tcp"],
                pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            os.close(write_end)
            write_end = None
            text = b""
            deadline = time.monotonic() + 30
            while not text.endswith(b"\n") and time.monotonic() < deadline:
                ready, _, _ = select.select([read_end], [], [], 0.5)
                if ready:
                    chunk = os.read(read_end, 64)
                    if not chunk:
                        break
                    text += chunk
            number = text.strip().decode()
            if not number.isdigit():
                raise RuntimeError("Xvfb did not start")
            self.env["DISPLAY"] = ":" + number
        finally:
            os.close(read_end)
            if write_end is not None:
                os.close(write_end)

    def stop(self):
        for p in reversed(self.processes):
            if p.poll() is None:
                try:
                    p.terminate()
                    p.wait(timeout=5)
                except subprocess.TimeoutExpired:
                    p.kill()
                    p.wait(timeout=5)
                except ProcessLookupError:
                    pass
        self.processes = []
        if self.env is not None:
            # Wine's helper processes of the prefix (services, the desktop) go with its server.
            subprocess.run(["wineserver", "-k"], env=self.env,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            try:
                subprocess.run(["wineserver", "-w"], env=self.env, timeout=30,
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            except subprocess.TimeoutExpired:
                pass
        if self.xvfb is not None:
            if self.xvfb.poll() is None:
                self.xvfb.terminate()
                try:
                    self.xvfb.wait(timeout=10)
                except subprocess.TimeoutExpired:
                    self.xvfb.kill()
                    self.xvfb.wait()
            self.xvfb = None
        if self.tmp is not None:
            shutil.rmtree(self.tmp, ignore_errors=True)
            self.tmp = None

    # -- folders and processes

    def make_dir(self, name):
        """A new folder inside the session's temporary folder."""
        path = os.path.join(self.tmp, name)
        os.makedirs(path, exist_ok=True)
        return path

    def wine(self, exe, args=(), cwd=None, preexec_fn=None):
        """Starts a Windows program under Wine and remembers its process. `preexec_fn` runs in
        the child before Wine starts (to set a resource limit, say)."""
        self._counter += 1
        out = open(os.path.join(self.tmp, "wine-%d.out" % self._counter), "wb")
        process = subprocess.Popen(["wine", exe] + list(args), cwd=cwd or self.tmp, env=self.env,
                                   stdin=subprocess.DEVNULL, stdout=out, stderr=subprocess.STDOUT,
                                   preexec_fn=preexec_fn)
        out.close()
        self.processes.append(process)
        return process

    def start_fixture(self, timeout=60):
        """Starts the fixture window and waits until it has the focus and logs."""
        self._counter += 1
        log = os.path.join(self.tmp, "fixture-%d.log" % self._counter)
        process = self.wine(os.path.join(E2E_BIN, "TandrelFixture.exe"), [wine_path(log)])
        fixture = Fixture(process, log)
        wait_for(lambda: any(e["type"] == "ready" for e in fixture.events()) or process.poll() is not None,
                 timeout, "the fixture window")
        if process.poll() is not None:
            raise AssertionError("the fixture ended at once with exit code %d" % process.returncode)
        # The window system reports where the pointer stands once the window is up; let that
        # arrive before a test marks where its own events begin.
        fixture.wait_quiet(0.5)
        return fixture

    def start_tandrel(self, args=(), cwd=None, dist=None, preexec_fn=None):
        """Starts Tandrel.exe (from `dist`, by default the build's dist folder) in `cwd`."""
        return self.wine(os.path.join(dist or DIST_DIR, "Tandrel.exe"), args, cwd=cwd, preexec_fn=preexec_fn)

    def wait_exit(self, process, timeout):
        try:
            return process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            raise AssertionError("the process did not end within %d s" % timeout)

    # -- reading windows

    def probe(self, exe=None):
        """The probe's view of the desktop: {'windows': [...], 'processes': [...]}. With `exe`,
        the windows of that program only (visible or not); otherwise the visible ones."""
        self._counter += 1
        out = os.path.join(self.tmp, "probe-%d.json" % self._counter)
        args = ["--out", wine_path(out)]
        if exe:
            args += ["--exe", exe]
        process = self.wine(os.path.join(E2E_BIN, "TandrelProbe.exe"), args)
        try:
            process.wait(timeout=60)
        finally:
            self.processes.remove(process)
        with open(out, "rb") as f:
            return json.loads(f.read().decode("utf-8"))

    def windows(self, exe="Tandrel.exe"):
        return self.probe(exe)["windows"]

    def wait_window(self, predicate, what, exe="Tandrel.exe", timeout=60):
        """Polls the probe until a top-level window of `exe` satisfies predicate; returns it."""
        def found():
            for w in self.windows(exe):
                if predicate(w):
                    return w
            return None
        return wait_for(found, timeout, what, interval=0.3)

    def wait_message_box(self, text, exe="Tandrel.exe", timeout=60):
        """Waits for a visible message box of `exe` that shows `text`; returns its window."""
        return self.wait_window(
            lambda w: w["visible"] and w["class"] == "#32770" and text in message_texts(w),
            "a message box saying %r" % text, exe, timeout)

    # -- acting like a person

    def xdotool(self, *args):
        result = subprocess.run(["xdotool"] + [str(a) for a in args], env=self.env,
                                stdout=subprocess.PIPE, stderr=subprocess.PIPE, timeout=30)
        return result.stdout.decode(errors="replace")

    def key(self, *keys):
        self.xdotool("key", "--delay", 30, *keys)

    def key_down(self, key):
        self.xdotool("keydown", key)

    def key_up(self, key):
        self.xdotool("keyup", key)

    def type_text(self, text):
        self.xdotool("type", "--delay", 50, text)

    def mousemove(self, x, y):
        self.xdotool("mousemove", x, y)

    def click(self, button=1):
        self.xdotool("click", button)

    def mousedown(self, button=1):
        self.xdotool("mousedown", button)

    def mouseup(self, button=1):
        self.xdotool("mouseup", button)

    def wheel(self, notches):
        """Turns the wheel: positive away from the user (X button 4), negative toward (5)."""
        button = 4 if notches > 0 else 5
        for _ in range(abs(notches)):
            self.click(button)

    def click_at(self, x, y, button=1):
        self.mousemove(x, y)
        self.click(button)

    def click_child(self, window, child, button=1):
        """Clicks the middle of a child control of a top-level window (from the probe)."""
        x, y, w, h = child["rect"]
        ox, oy = window["clientOrigin"]
        self.click_at(ox + x + w // 2, oy + y + h // 2, button)

    def focus_window(self, title):
        """Gives the X input focus to the visible window with this exact title."""
        ids = self.xdotool("search", "--onlyvisible", "--name", "^%s$" % title).split()
        if not ids:
            raise AssertionError("no visible window named %r" % title)
        self.xdotool("windowfocus", ids[0])
        return ids[0]


def message_texts(window):
    """The texts of the static controls of a dialog window (a message box's text among them)."""
    return [c["text"] for c in window["children"] if c["class"].lower() == "static" and c["text"]]


def child_by_id(window, control_id):
    for c in window["children"]:
        if c["id"] == control_id and c["parent"] == window["hwnd"]:
            return c
    return None


def child_by_text(window, cls, text):
    for c in window["children"]:
        if c["class"].lower() == cls.lower() and c["text"].replace("&", "") == text:
            return c
    return None


def main():
    """Runs the unittest cases of the calling test script, verbosely."""
    unittest.main(module="__main__", verbosity=2)
