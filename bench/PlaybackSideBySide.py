"""Punctuality against the limit, side by side: the same recording of 1,200 keys (delays of 1 to
10 ms) played unattended by the shipped program and by the bare reference player
(ReferencePlayer.exe: the performance counter, NtDelayExecution, keybd_event, no hooks),
alternately and at least five times each, into the fixture window, which stamps each key with
its own clock. For each player it prints the median over the runs of the lateness p50, p99 and
max (each key against its due time, measured from the least late key of its run, which stands
for the bare way from the injection to the window) and of its CPU time as a share of the
playback's span, and the ratios program / reference. Absolute figures on a shared machine swing
from run to run by a factor of three; the ratios of the same runs are what to trust.
The goal: p50 and p99 ratios at most 1.2, the program's CPU at most 5 % of the span.
  cmake --build build --target run_bench_playback_side_by_side
or, after a build: TANDREL_BUILD_DIR=$PWD/build python3 bench/PlaybackSideBySide.py [--runs N]
[--speed N] [--variant NAME=DIR ...] (each variant: the folder of another Tandrel.exe, played in
the same alternation, to measure what one change does)."""

import argparse
import os
import statistics
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))

import tandrel_e2e as e2e  # noqa: E402
from test_playback_punctuality import CpuWatch, due_times_ms, load_average, percentile, wineserver_pid  # noqa: E402

KEYS = [0x41 + i for i in range(26)]  # A to Z
PAIRS = 600
P50_GOAL, P99_GOAL, CPU_GOAL = 1.2, 1.2, 0.05


def recording():
    """(vk, down, delay) of 1,200 key records: presses and releases of A to Z in turn, delays
    of 1 to 10 ms, the same every run."""
    seed, out = 12345, []
    for i in range(PAIRS):
        for down in (True, False):
            seed = (seed * 1664525 + 1013904223) % 2 ** 32
            out.append((KEYS[i % len(KEYS)], down, 1 + (seed >> 16) % 10))
    return out


def play_once(s, fixture, start_process, keys, divisor):
    """One playback into the fixture: (p50, p99, max) lateness in ms and the CPU share."""
    start = len(fixture.events())
    start_size = os.path.getsize(fixture.log_path)
    process = start_process()
    watch = CpuWatch(process, wineserver_pid(s.env), fixture.log_path)
    watch.follow(start_size, start + len(keys), 120)
    if s.wait_exit(process, 60) != 0:
        raise AssertionError("a player ended with exit code %d" % process.returncode)
    s.processes.remove(process)
    fixture.wait_quiet(0.5)
    events = [e for e in fixture.input_events(start) if e["type"] == "key"]
    got = [(e["vk"], e["args"][0] == "down") for e in events]
    if got != [(vk, down) for vk, down, _ in keys]:
        raise AssertionError("keys lost, added or out of order (%d of %d)" % (len(got), len(keys)))
    due = due_times_ms([d for _, _, d in keys], divisor)
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
    parser.add_argument("--variant", action="append", default=[])
    options = parser.parse_args()
    keys = recording()
    reference = os.path.join(e2e.BUILD_DIR, "bench", "ReferencePlayer.exe")
    variants = [tuple(v.split("=", 1)) for v in options.variant]
    # A variant named Tandrel stands in for the build's own program.
    dists = ([] if any(name == "Tandrel" for name, _ in variants) else [("Tandrel", None)]) + variants
    names = [name for name, _ in dists] + ["reference"]
    figures = {name: [] for name in names}
    with e2e.Session() as s:
        work = s.make_dir("work")
        path = os.path.join(work, "keys.rec")
        e2e.write_recording(path, [e2e.key_record(vk, down, d) for vk, down, d in keys])
        fixture = s.start_fixture()
        tandrel_args = ["keys.rec"] + (["/speed=%d" % options.speed] if options.speed != 1 else [])
        players = {name: (lambda dist=dist: s.start_tandrel(tandrel_args, cwd=work, dist=dist)) for name, dist in dists}
        players["reference"] = lambda: s.wine(reference, [e2e.wine_path(path), str(options.speed)], cwd=work)
        for run in range(options.runs):
            # In turn, and each run in the other order, so that none always goes first.
            for name in (names if run % 2 == 0 else list(reversed(names))):
                result = play_once(s, fixture, players[name], keys, options.speed)
                figures[name].append(result)
                print("run %d %-12s p50 %.3f ms, p99 %.3f ms, max %.3f ms, CPU %.1f %% (load %s)"
                      % (run + 1, name, result[0], result[1], result[2], 100 * result[3], load_average()),
                      flush=True)

    medians = {name: [statistics.median(run[i] for run in runs) for i in range(4)] for name, runs in figures.items()}
    base = medians["reference"]
    print("\n%d keys, delays of 1 to 10 ms, speed %d; medians over %d runs each, in turn in the same session"
          % (len(keys), options.speed, options.runs))
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
