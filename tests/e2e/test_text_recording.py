"""A recording written by hand as text: tandrel-rec.exe, the Windows tool of the dist folder
(run under Wine, so the build under test always has it), packs it, and Tandrel.exe plays the
packed file unattended into the focused fixture window. The fixture must see exactly the keys,
buttons, moves and wheel turns that the text names, in its order; a raw record of a kind the
player skips still takes its delay, and the partial record at the end is never played. The
end-to-end helpers read the records that the tool packs as the tool means them: a window or a
control group is what the recorder writes beside the input, every other line input."""

import os
import unittest

import tandrel_e2e as e2e
from recording_steps import read_records, record_summary

# Names as a person writes them: any case, the platform's constant names, an alias.
TEXT = """\
tandrel-rec 1  # written by hand

# The pointer to two places, then each button pressed and released there.
0 move 200 150
250 move 400 300
150 button left down
80 button left up
120 button RIGHT down
80 button right up
120 Button Middle Down
80 button middle up

# The wheel: one notch away from the user, two toward.
150 wheel 1
100 wheel -2

# Keys: a capital, a name in lower case, constant names and aliases, extended keys.
150 key Shift down
40 key h down
60 key H up
30 key shift up
120 key VK_RETURN down
60 key Enter up
120 key Right down
60 key right up
120 key oemcomma down
60 key VK_OEM_COMMA up
120 key Delete down
60 key DELETE up
120 key Esc down
60 key Escape up

# A record of kind 5, delay 600: the player skips it, but its delay counts.
raw 05 00 00 00 58 02 00 00 00 00 00 00 00 00 00 00
900 move 640 480
tail 00 41 00  # a partial record: never played
"""

VK_SHIFT, VK_H, VK_RETURN, VK_RIGHT, VK_OEM_COMMA, VK_DELETE, VK_ESCAPE = 0x10, 0x48, 0x0D, 0x27, 0xBC, 0x2E, 0x1B
EXTENDED_KEYS = {VK_RIGHT, VK_DELETE}

EXPECTED = [
    ("move", 200, 150), ("move", 400, 300),
    ("button", "WM_LBUTTONDOWN"), ("button", "WM_LBUTTONUP"),
    ("button", "WM_RBUTTONDOWN"), ("button", "WM_RBUTTONUP"),
    ("button", "WM_MBUTTONDOWN"), ("button", "WM_MBUTTONUP"),
    ("wheel", 120), ("wheel", -240),
    ("key", "down", VK_SHIFT), ("key", "down", VK_H), ("key", "up", VK_H), ("key", "up", VK_SHIFT),
    ("key", "down", VK_RETURN), ("key", "up", VK_RETURN),
    ("key", "down", VK_RIGHT), ("key", "up", VK_RIGHT),
    ("key", "down", VK_OEM_COMMA), ("key", "up", VK_OEM_COMMA),
    ("key", "down", VK_DELETE), ("key", "up", VK_DELETE),
    ("key", "down", VK_ESCAPE), ("key", "up", VK_ESCAPE),
    ("move", 640, 480),
]
# From the Escape release to the last move: 600 ms of the skipped record and 900 ms of the move.
LAST_GAP_MS = 600 + 900


# One line of each word, a record to a line (a group's further records on comment lines).
EVERY_WORD = """\
tandrel-rec 1
window notepad.exe Notepad 120 -80 800 600
#   (window, continued)
#   (window, continued)
#   (window, continued)
control Edit 15 0 12 40 300 22 96
#   (control, continued)
#   (control, continued)
#   (control, continued)
120 key A down
30 key A up
10 move 640 480
300 button x2 down
90 button x2 up
200 wheel -2
90 hwheel 1
"""
EVERY_WORD_INPUT = [("key", "down", 0x41), ("key", "up", 0x41), ("move", 640, 480),
                    ("button", "WM_XBUTTONDOWN", 2), ("button", "WM_XBUTTONUP", 2), ("wheel", -240), ("hwheel", 120)]


def pack(s, text, name):
    """The recording that tandrel-rec.exe packs from `text`; returns its path."""
    work = s.make_dir("pack-" + name)
    text_path = os.path.join(work, name + ".txt")
    with open(text_path, "w", encoding="ascii", newline="\n") as f:
        f.write(text)
    recording = os.path.join(work, name + ".rec")
    tool = s.wine(os.path.join(e2e.DIST_DIR, "tandrel-rec.exe"),
                  ["pack", e2e.wine_path(text_path), "-o", e2e.wine_path(recording)], cwd=work)
    if s.wait_exit(tool, 120) != 0:
        raise AssertionError("tandrel-rec.exe pack failed")
    return recording


class TextRecording(unittest.TestCase):

    def test_the_helpers_know_each_kind_as_the_tool_packs_it(self):
        with e2e.Session() as s:
            path = pack(s, EVERY_WORD, "kinds")
            records = read_records(path, groups=True)
            lines = EVERY_WORD.splitlines()[1:]
            self.assertEqual(len(records), len(lines))
            self.assertEqual({r[0] for r in records}, {row["number"] for row in e2e.RECORD_KINDS.values()},
                             "a kind of the table without its line here, or a line of a kind the helpers do not know")
            for record, line in zip(records, lines):
                group_line = line.split()[0] in ("window", "control", "#")
                self.assertEqual(e2e.is_beside_input(record[0]), group_line, (record, line))
                self.assertEqual(e2e.is_played_input(record[0]), not group_line, (record, line))
            self.assertEqual([record_summary(r) for r in read_records(path)], EVERY_WORD_INPUT)

    def test_a_packed_text_plays_exactly_what_it_names(self):
        with e2e.Session() as s:
            work = s.make_dir("work")
            text_path = os.path.join(work, "hand.txt")
            with open(text_path, "w", encoding="ascii", newline="\n") as f:
                f.write(TEXT)
            recording = os.path.join(work, "hand.rec")

            tool = s.wine(os.path.join(e2e.DIST_DIR, "tandrel-rec.exe"),
                          ["pack", e2e.wine_path(text_path), "-o", e2e.wine_path(recording)], cwd=work)
            self.assertEqual(s.wait_exit(tool, 120), 0, "tandrel-rec.exe pack failed")
            # 26 whole records (the raw one among them) and the 3 bytes of the partial one.
            self.assertEqual(os.path.getsize(recording), 26 * 16 + 3)

            fixture = s.start_fixture()
            start = len(fixture.events())
            tandrel = s.start_tandrel(["hand.rec"], cwd=work)
            self.assertEqual(s.wait_exit(tandrel, 120), 0)
            fixture.wait_quiet(1.0)

            events = e2e.without_repeated_moves(fixture.input_events(start))
            self.assertEqual([e2e.summarize(e) for e in events], EXPECTED)

            # Every button where the moves put the pointer.
            for e in events:
                if e["type"] == "button":
                    self.assertEqual((e["x"], e["y"]), (400, 300), e)
            # Extended keys arrive with the extended flag, the others without.
            for e in events:
                if e["type"] == "key":
                    self.assertEqual(e["ext"], 1 if e["vk"] in EXTENDED_KEYS else 0, e)

            gap_ms = (events[-1]["t"] - events[-2]["t"]) / 1000.0
            print("last gap %.0f ms (written %d)" % (gap_ms, LAST_GAP_MS))
            self.assertTrue(0.8 * LAST_GAP_MS - 50 <= gap_ms <= 1.25 * LAST_GAP_MS + 300,
                            "the skipped record's delay did not count: %.0f ms" % gap_ms)


if __name__ == "__main__":
    e2e.main()
