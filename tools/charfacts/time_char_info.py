#!/usr/bin/env python3
"""Measures what --char-info costs beside laying the same text out, in the same run.

    time_char_info.py LATTISCRIBE_RENDER [RUNS] [LIST]

Runs `--layout --chars LIST` and `--char-info --chars LIST` (LIST tgh1 by default) one after the other,
RUNS times (11 by default), each a process of its own with its output thrown away, and prints the minimum
and median of each and of their difference run by run."""

import statistics
import subprocess
import sys
import time


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    binary = sys.argv[1]
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 11
    listed = sys.argv[3] if len(sys.argv) > 3 else "tgh1"
    ways = {"--layout": [], "--char-info": []}
    for _ in range(runs):
        for way, times in ways.items():
            started = time.perf_counter()
            subprocess.run([binary, way, "--chars", listed], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                           check=True)
            times.append(time.perf_counter() - started)
    for way, times in ways.items():
        print(f"{way} --chars {listed}: min {min(times) * 1000:.0f} ms, median {statistics.median(times) * 1000:.0f} ms")
    more = [b - a for a, b in zip(ways["--layout"], ways["--char-info"])]
    print(f"--char-info beyond --layout: min {min(more) * 1000:.0f} ms, median {statistics.median(more) * 1000:.0f} ms")


if __name__ == "__main__":
    main()
