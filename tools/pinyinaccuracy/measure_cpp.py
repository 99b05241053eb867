#!/usr/bin/env python3
"""Measures the program's polyphone readings on the CPP set (Park and Lee, Interspeech 2020).

Usage: measure_cpp.py CPP_DIR [--readings PATH] [--folds K] [--jobs N] [--misses N]

CPP_DIR holds dev.sent and dev.lb: sentences with one polyphone marked by U+2581 on each side, and the
reading people gave it with a tone number. The marked character's reading is compared, tone included,
on the sentences as they are and on their traditional rendering (Debian's opencc, s2t; a sentence whose
length that changes is left out), which the program reads back as simplified.

The estimate is cross-validated: the sentences are dealt into K folds, and each fold is read by a model
learnt from the others, with the settings the program is built with (tools/pinyinmodel/crossvalidate.py,
model.py). For each text: the share read right, the commonest misses, and the review's underline: of
the marked characters it underlines, how many are wrong (precision), of the wrong ones, how many it
underlines (recall), and how many characters of the sentences it underlines at all.

The shipped model learnt from every sentence (tools/pinyinmodel/train.py), so the program's own score
on them, which follows (lattiscribe-readings, built beside the renderer), only shows that it holds what
it was shown, and measures nothing. Last, the shipped weights read here as the folds' models are read
are compared with the program's readings of the same sentences: where they agree on every marked
character, the estimate is the program's.
"""

import argparse
import os
import subprocess
import sys

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")
sys.path.insert(0, os.path.join(ROOT, "tools", "pinyinmodel"))
from crossvalidate import cross_validate, rendered, score  # noqa: E402
from model import READING, TRAINING, Model, read_cpp, read_model, sentence_readings  # noqa: E402
from reading import lexicon_from_arguments, numbered  # noqa: E402

DATA = os.path.join(ROOT, "engine", "tables", "data")
# As engine/tables/CMakeLists.txt names them.
WORD_LISTS = ["--settled", os.path.join(DATA, "pinyinwords-added.txt"), os.path.join(DATA, "pinyinwords.txt"),
              os.path.join(DATA, "pinyinphrases.txt")]


def report(items, read, name, texts, misses_shown):
    sentences, right, misses, underlined, underlined_wrong, characters, characters_underlined = score(
        items, read, name, texts)
    wrong = sentences - right
    print(f"  {name}: {sentences} sentences, {right} read right, {100 * right / sentences:.2f} %")
    print("    commonest misses: " + ", ".join(f"{k} ({n})" for k, n in misses.most_common(misses_shown)))
    precision = 100 * underlined_wrong / underlined if underlined else 0
    recall = 100 * underlined_wrong / wrong if wrong else 0
    print(f"    underline: {underlined} marked characters underlined, {underlined_wrong} of them wrong "
          f"(precision {precision:.1f} %); {underlined_wrong} of the {wrong} wrong underlined "
          f"(recall {recall:.1f} %); {characters_underlined} of {characters} characters underlined "
          f"({100 * characters_underlined / characters:.1f} %)")


def program_readings(readings_tool, lines):
    output = subprocess.run([readings_tool], input="\n".join(lines) + "\n", capture_output=True, text=True,
                            check=True).stdout.split("\n")
    return [line.split(" ") for line in output]


def main():
    parser = argparse.ArgumentParser(description=__doc__.strip().splitlines()[0])
    parser.add_argument("cpp_dir")
    parser.add_argument("--readings", default="build/tools/pinyinaccuracy/lattiscribe-readings")
    parser.add_argument("--folds", type=int, default=10)
    parser.add_argument("--jobs", type=int, default=1)
    parser.add_argument("--misses", type=int, default=10)
    args = parser.parse_args()

    lexicon = lexicon_from_arguments(WORD_LISTS)
    items = read_cpp(args.cpp_dir)
    texts = rendered(items, args.readings)
    print(f"traditional (opencc s2t): {len(texts['traditional'])} of {len(items)} sentences keep their length")

    print(f"\nThe estimate, {args.folds}-fold cross-validated (each sentence read by a model that never saw it):")
    read = cross_validate(items, lexicon, texts, args.folds, TRAINING, args.jobs)
    for name in texts:
        report(items, read, name, texts, args.misses)

    print("\nThe program, whose model learnt from every one of these sentences (no measure):")
    model = Model(read_model(os.path.join(DATA, "pinyinmodel.txt")))
    for name, by_index in texts.items():
        kept = [item for item in items if item[0] in by_index]
        shown = [by_index[index] if name == "simplified" else by_index[index][0] for index, _, _, _ in kept]
        right = agree = 0
        for (index, _, at, label), readings in zip(kept, program_readings(args.readings, shown)):
            reading = readings[at].rstrip("?")
            right += numbered(reading) == label
            as_read = by_index[index] if name == "simplified" else by_index[index][1]
            agree += sentence_readings(lexicon, model, as_read)[at].decide(READING)[0] == reading
        print(f"  {name}: {right} of {len(kept)} read right, {100 * right / len(kept):.2f} %; its model, read "
              f"as the folds' are, gives the program's reading of {agree} of the {len(kept)} marked characters")


if __name__ == "__main__":
    main()
