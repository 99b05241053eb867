#!/usr/bin/env python3
"""Measures the program's polyphone readings on the CPP set (Park and Lee, Interspeech 2020).

Usage: measure_cpp.py CPP_DIR [--readings PATH] [--traditional] [--misses N]

CPP_DIR holds dev.sent and dev.lb: sentences with one polyphone marked by U+2581 on each side, and the
reading people gave it with a tone number. The marks are taken out, every sentence is read by the
program's own reader (lattiscribe-readings, built beside the renderer in tools/pinyinaccuracy/), and
the marked character's reading is compared, tone included. The figures are given apart for the
held-out part, every fifth sentence (the 5th, 10th, ...), which the context model never saw
(tools/pinyinmodel/train.py), and for the rest, on which it was trained.

For each part: the share read right, the commonest misses, and the review's underline: of the marked
characters it underlines, how many are wrong (precision), and of the wrong ones, how many it underlines
(recall); and how many characters of the sentences it underlines at all.

--traditional converts the sentences to traditional characters first, with Debian's opencc (s2t), to
measure the reading of traditional text; sentences whose length that changes are left out.
"""

import argparse
import collections
import os
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "pinyinmodel"))
from reading import is_ideograph, numbered  # noqa: E402

MARK = "\u2581"


def read_set(directory):
    with open(os.path.join(directory, "dev.sent"), encoding="utf-8") as f:
        sentences = f.read().split("\n")
    with open(os.path.join(directory, "dev.lb"), encoding="utf-8") as f:
        labels = f.read().split("\n")
    items = []
    for index, (sentence, label) in enumerate(zip(sentences, labels)):
        if sentence:
            a = sentence.index(MARK)
            b = sentence.index(MARK, a + 1)
            items.append((index, sentence[:a] + sentence[a + 1 : b] + sentence[b + 1 :], a, label))
    return items


def to_traditional(items):
    converted = subprocess.run(
        ["opencc", "-c", "s2t"], input="\n".join(text for _, text, _, _ in items) + "\n",
        capture_output=True, text=True, check=True).stdout.split("\n")
    kept = []
    for (index, text, at, label), line in zip(items, converted):
        if len(line) == len(text):
            kept.append((index, line, at, label))
    return kept


def main():
    parser = argparse.ArgumentParser(description=__doc__.strip().splitlines()[0])
    parser.add_argument("cpp_dir")
    parser.add_argument("--readings", default="build/tools/pinyinaccuracy/lattiscribe-readings")
    parser.add_argument("--traditional", action="store_true")
    parser.add_argument("--misses", type=int, default=10)
    args = parser.parse_args()

    items = read_set(args.cpp_dir)
    if args.traditional:
        total = len(items)
        items = to_traditional(items)
        print(f"traditional (opencc s2t): {len(items)} of {total} sentences keep their length")
    output = subprocess.run(
        [args.readings], input="\n".join(text for _, text, _, _ in items) + "\n",
        capture_output=True, text=True, check=True).stdout.split("\n")

    parts = {"held out (every fifth sentence)": [], "the rest (trained on)": []}
    for item, line in zip(items, output):
        parts["held out (every fifth sentence)" if item[0] % 5 == 4 else "the rest (trained on)"].append(
            (item, line.split(" ")))
    for name, rows in parts.items():
        right = underlined = underlined_wrong = 0
        misses = collections.Counter()
        characters = characters_underlined = 0
        for (_, text, at, label), readings in rows:
            reading = readings[at]
            doubt = reading.endswith("?")
            reading = reading.rstrip("?")
            ok = numbered(reading) == label
            right += ok
            underlined += doubt
            underlined_wrong += doubt and not ok
            if not ok:
                misses[f"{text[at]} {reading} for {label}"] += 1
            for c, r in zip(text, readings):
                if is_ideograph(c):
                    characters += 1
                    characters_underlined += r.endswith("?")
        wrong = len(rows) - right
        print(f"{name}: {len(rows)} sentences, {right} read right, {100 * right / len(rows):.2f} %")
        print("  commonest misses: " + ", ".join(f"{k} ({n})" for k, n in misses.most_common(args.misses)))
        precision = 100 * underlined_wrong / underlined if underlined else 0
        recall = 100 * underlined_wrong / wrong if wrong else 0
        print(f"  underline: {underlined} marked characters underlined, {underlined_wrong} of them wrong "
              f"(precision {precision:.1f} %); {underlined_wrong} of the {wrong} wrong underlined "
              f"(recall {recall:.1f} %); {characters_underlined} of {characters} characters underlined "
              f"({100 * characters_underlined / characters:.1f} %)")


if __name__ == "__main__":
    main()
