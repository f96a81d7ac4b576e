"""Punctuality against the limit, side by side: the same recording of 1,200 keys or mouse button
events (delays of 1 to 10 ms) played unattended by the shipped program and by the bare
reference player (ReferencePlayer.exe: the performance counter, NtDelayExecution, keybd_event,
mouse_event and SetCursorPos, no hooks), alternately and at least five times each, into the
fixture window, which stamps each event with its own clock. For each player it prints the
median over the runs of the lateness p50, p99 and max (each event against its due time,
measured from the least late event of its run, which stands for the bare way from the
injection to the window) and of its CPU time as a share of the playback's span, and the ratios
program / reference. Absolute figures on a shared machine swing from run to run by a factor of
three; the ratios of the same runs are what to trust.
The goal: p50 and p99 ratios at most 1.2, the program's CPU at most 5 % of the span.
  cmake --build build --target run_bench_playback_side_by_side
or, after a build: TANDREL_BUILD_DIR=$PWD/build python3 bench/PlaybackSideBySide.py [--runs N]
[--speed N] [--input keys|clicks] [--variant NAME=DIR ...] (each variant: the folder of another
Tandrel.exe, played in the same alternation, to measure what one change does).
--input clicks plays left button presses and releases at one point of the fixture window
instead of keys, to measure the mouse path. Buttons, not moves: mouse_event passes through the
low-level mouse hooks as keybd_event passes through the keyboard ones, where SetCursorPos
passes through none."""

import argparse
import os
import statistics
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))

import tandrel_e2e as e2e  # noqa: E402
from test_playback_punctuality import CpuWatch, due_times_ms, load_average, percentile, wineserver_pid  # noqa: E402

KEYS = [0x41 + i for i in range(26)]  # A to Z
RECORDS = 1200
# Where the clicks land: inside the full-screen fixture window, away from its edges.
CLICK_POINT = (640, 480)
P50_GOAL, P99_GOAL, CPU_GOAL = 1.2, 1.2, 0.05


def delays():
    """1 to 10 ms, the same every run."""
    seed, out = 12345, []
    for _ in range(RECORDS):
        seed = (seed * 1664525 + 1013904223) % 2 ** 32
        out.append(1 + (seed >> 16) % 10)
    return out


def recording(kind):
    """(records, expected, delays): the records to play; what the fixture logs for each measured
    one, as measured() gives it; and their delays. Keys: presses and releases of A to Z in turn.
    Clicks: the cursor placed on the point first (delay 0, not measured), then presses and
    releases of the left button there."""
    delay_list = delays()
    if kind == "keys":
        keys = [(KEYS[i // 2 % len(KEYS)], i % 2 == 0) for i in range(RECORDS)]
        return ([e2e.key_record(vk, down, d) for (vk, down), d in zip(keys, delay_list)],
                [("key", "down" if down else "up", vk) for vk, down in keys], delay_list)
    buttons = [e2e.WM_LBUTTONUP if i % 2 else e2e.WM_LBUTTONDOWN for i in range(RECORDS)]
    return ([e2e.move_record(*CLICK_POINT, 0)] + [e2e.button_record(b, d) for b, d in zip(buttons, delay_list)],
            [("button", e2e.BUTTON_NAMES[b]) + CLICK_POINT for b in buttons], delay_list)


def measured(event):
    """A key or button event of the fixture's log in a comparable form (a button with where it
    landed), or None for the others (moves: the window system adds some of its own)."""
    if event["type"] == "key":
        return e2e.summarize(event)
    if event["type"] == "button":
        return e2e.summarize(event) + (event["x"], event["y"])
    return None


def play_once(s, fixture, start_process, played, divisor):
    """One playback into the fixture: (p50, p99, max) lateness in ms and the CPU share."""
    records, expected, delay_list = played
    start = len(fixture.events())
    start_size = os.path.getsize(fixture.log_path)
    process = start_process()
    watch = CpuWatch(process, wineserver_pid(s.env), fixture.log_path)
    watch.follow(start_size, start + len(records), 120)
    if s.wait_exit(process, 60) != 0:
        raise AssertionError("a player ended with exit code %d" % process.returncode)
    s.processes.remove(process)
    fixture.wait_quiet(0.5)
    events = [e for e in fixture.input_events(start) if measured(e) is not None]
    got = [measured(e) for e in events]
    if got != expected:
        raise AssertionError("input lost, added, out of order or elsewhere (%d of %d)" % (len(got), len(expected)))
    due = due_times_ms(delay_list, divisor)
    offsets = [e["t"] / 1000.0 - d for e, d in zip(events, due)]
    least = min(offsets)
    lateness = sorted(o - least for o in offsets)
    program, _ = watch.shares()
    return (percentile(lateness, 50), percentile(lateness, 99), lateness[-1],
            program if program is not None else float("nan"))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--runs", type=int, default=5)
    parser.add_argument("--speed", type=int, default=1)
    parser.add_argument("--input", choices=("keys", "clicks"), default="keys")
    parser.add_argument("--variant", action="append", default=[])
    options = parser.parse_args()
    played = recording(options.input)
    reference = os.path.join(e2e.BUILD_DIR, "bench", "ReferencePlayer.exe")
    variants = [tuple(v.split("=", 1)) for v in options.variant]
    # A variant named Tandrel stands in for the build's own program.
    dists = ([] if any(name == "Tandrel" for name, _ in variants) else [("Tandrel", None)]) + variants
    names = [name for name, _ in dists] + ["reference"]
    figures = {name: [] for name in names}
    with e2e.Session() as s:
        work = s.make_dir("work")
        file_name = options.input + ".rec"
        path = os.path.join(work, file_name)
        e2e.write_recording(path, played[0])
        fixture = s.start_fixture()
        tandrel_args = [file_name] + (["/speed=%d" % options.speed] if options.speed != 1 else [])
        players = {name: (lambda dist=dist: s.start_tandrel(tandrel_args, cwd=work, dist=dist)) for name, dist in dists}
        players["reference"] = lambda: s.wine(reference, [e2e.wine_path(path), str(options.speed)], cwd=work)
        for run in range(options.runs):
            # In turn, and each run in the other order, so that none always goes first.
            for name in (names if run % 2 == 0 else list(reversed(names))):
                result = play_once(s, fixture, players[name], played, options.speed)
                figures[name].append(result)
                print("run %d %-12s p50 %.3f ms, p99 %.3f ms, max %.3f ms, CPU %.1f %% (load %s)"
                      % (run + 1, name, result[0], result[1], result[2], 100 * result[3], load_average()),
                      flush=True)

    medians = {name: [statistics.median(run[i] for run in runs) for i in range(4)] for name, runs in figures.items()}
    base = medians["reference"]
    print("\n%d %s, delays of 1 to 10 ms, speed %d; medians over %d runs each, in turn in the same session"
          % (len(played[1]), "keys" if options.input == "keys" else "left button events", options.speed, options.runs))
    print("%-12s %9s %9s %9s %7s   %s" % ("", "p50 ms", "p99 ms", "max ms", "CPU %", "ratios to the reference"))
    for name in names:
        m = medians[name]
        ratios = "" if name == "reference" else "p50 %.2f, p99 %.2f, max %.2f" % tuple(
            m[i] / base[i] if base[i] > 0 else float("inf") for i in range(3))
        print("%-12s %9.3f %9.3f %9.3f %7.1f   %s" % (name, m[0], m[1], m[2], 100 * m[3], ratios))
    m = medians["Tandrel"]
    met = m[0] <= P50_GOAL * base[0] and m[1] <= P99_GOAL * base[1] and m[3] <= CPU_GOAL
    print("\ngoal (Tandrel / reference at most %.1f at p50 and p99, Tandrel's CPU at most %d %% of the span): %s"
          % (P50_GOAL, 100 * CPU_GOAL, "met" if met else "NOT met"))


if __name__ == "__main__":
    main()
