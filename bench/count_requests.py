#!/usr/bin/env python3
"""Counts the requests a started program makes to the Wine server, from process start to its
window shown, in a trace of `wineserver -d1` that BenchStartup.exe marked with named events
("WevoBenchStart-NAME" before the start, "WevoBenchShown-NAME" once the window is visible).
Prints the median over the marked runs of each program and the ratios of "wevo" to "minimal"
(the bare window) and to "libraries" (the bare window with the program's libraries)."""
import re
import statistics
import sys
from collections import Counter

REQUEST = re.compile(r"^([0-9a-f]{4,8}): (\w+)\((.*)$")
PID = re.compile(r"\bpid=([0-9a-f]+)")
MARK = re.compile(r'name=L"[^"]*WevoBench(Start|Shown)-(\w+)"')


def is_reply(rest):
    # A reply repeats the name with empty parentheses and the status: "name() = 0 {...}".
    return rest.startswith(") = ")


def count(lines):
    runs = {}        # program -> request counts of its marked runs
    kinds = {}       # program -> Counter of request names of its last run
    window = None    # (program, [(tid, name, rest)]) between the marks
    for line in lines:
        m = REQUEST.match(line)
        if not m:
            continue
        tid, name, rest = m.groups()
        mark = MARK.search(line)
        if mark and not is_reply(rest):
            kind, program = mark.groups()
            if kind == "Start":
                window = (program, [])
            elif window and window[0] == program:
                n, c = attribute(window[1])
                runs.setdefault(program, []).append(n)
                kinds[program] = c
                window = None
            continue
        if window:
            window[1].append((tid, name, rest))
    return runs, kinds


def attribute(entries):
    # The started process is the first one whose first thread starts inside the window.
    thread_pid = {}
    child = None
    for tid, name, rest in entries:
        if name in ("init_first_thread", "init_thread") and is_reply(rest):
            p = PID.search(rest)
            if p:
                thread_pid[tid] = p.group(1)
                if child is None and name == "init_first_thread":
                    child = p.group(1)
    kinds = Counter()
    for tid, name, rest in entries:
        if not is_reply(rest) and child is not None and thread_pid.get(tid) == child:
            kinds[name] += 1
    return sum(kinds.values()), kinds


def main():
    with open(sys.argv[1], errors="replace") as f:
        runs, kinds = count(f)
    if not runs:
        print("server requests: no marked run in the trace")
        return 1
    print("server requests, process start to window shown (median of marked runs)")
    medians = {}
    for program in sorted(runs):
        medians[program] = statistics.median(runs[program])
        print(f"  {program:10s} {medians[program]:9.0f}   runs: {' '.join(str(n) for n in runs[program])}")
    for yardstick, what in (("minimal", "bare window"), ("libraries", "same libraries")):
        if yardstick in medians and "wevo" in medians and medians[yardstick]:
            print(f"ratio start-up requests, {what} {medians['wevo'] / medians[yardstick]:.2f}")
    if "wevo" in kinds:
        top = ", ".join(f"{n} {c}" for n, c in kinds["wevo"].most_common(8))
        print(f"  most frequent (wevo): {top}")
    if "wevo" in kinds and "libraries" in kinds:
        above = kinds["wevo"].copy()
        above.subtract(kinds["libraries"])
        top = ", ".join(f"{n} {c:+d}" for n, c in above.most_common(8) if c > 0)
        print(f"  most above the same libraries (wevo): {top}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
