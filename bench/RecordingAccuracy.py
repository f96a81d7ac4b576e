"""How closely the recorded delays follow the input: the shipped program under Wine records
120 key presses made at varied spacing into the fixture window, and each key's recorded delay
(the sum of the delays since the previous key) is compared with the spacing of the same keys in
the fixture's own log, on its own clock. Prints p50, p99 and the largest difference; the goal is
a p99 within 1 ms.
  cmake --build build --target run_bench_recording_accuracy
or, after a build: TANDREL_BUILD_DIR=build python3 bench/RecordingAccuracy.py"""

import os
import statistics
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))

import tandrel_e2e as e2e  # noqa: E402
from recording_steps import NAMING_TITLE, answer_dialog, read_records, start_program, wait_main_window  # noqa: E402

VK_B = 0x42
KEYS = 120


def key_delays(records):
    """For each B after the first: the milliseconds the recording puts between it and the last."""
    delays, since_last, started = [], 0, False
    for kind, code, _, delay, _, _ in records:
        since_last += delay
        if kind == e2e.KEY and code == VK_B:
            if started:
                delays.append(since_last)
            started, since_last = True, 0
    return delays


def main():
    with e2e.Session() as s:
        work, _, _ = start_program(s)
        fixture = s.start_fixture()
        s.key("F9")
        wait_main_window(s, visible=False)
        since = len(fixture.events())
        for i in range(KEYS // 2):
            s.key("b")
            time.sleep(0.01 * (i % 7))
        fixture.wait_quiet(0.5)
        seen = [e for e in fixture.events()[since:] if e["type"] == "key" and e["vk"] == VK_B]
        s.key("F9")
        answer_dialog(s, NAMING_TITLE, text="Takt")
        path = os.path.join(work, "Records", "Takt.rec")
        e2e.wait_for(lambda: os.path.exists(path), 20, "Takt.rec")
        recorded = key_delays(read_records(path))
    spacing = [(b["t"] - a["t"]) / 1000.0 for a, b in zip(seen, seen[1:])]
    if len(recorded) != len(spacing):
        print("the recording holds %d key spacings, the fixture saw %d" % (len(recorded), len(spacing)))
        return 1
    errors = sorted(abs(r - s) for r, s in zip(recorded, spacing))
    p99 = errors[(len(errors) * 99 + 99) // 100 - 1]
    print("recorded key delays against the fixture's clock (%d spacings):" % len(errors))
    print("  p50 %.2f ms, p99 %.2f ms, max %.2f ms" % (statistics.median(errors), p99, errors[-1]))
    print("goal (p99 within 1 ms): %s" % ("met" if p99 <= 1.0 else "NOT met"))
    return 0


if __name__ == "__main__":
    sys.exit(main())
