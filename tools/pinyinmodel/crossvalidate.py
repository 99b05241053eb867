#!/usr/bin/env python3
"""Chooses the context model's settings by cross-validation on the CPP set.

Usage: crossvalidate.py CPP_DIR [--settled] WORDS_TXT... [--folds K] [--jobs N] [--readings PATH]
                        [--training NAME=VALUE]...

The sentences are dealt into K folds (the i-th sentence into fold i mod K, so that each polyphone's
sentences, which the set keeps together, are spread over all of them). For each fold a model is learnt
from the others (model.py, with its training settings, or those given by --training, e.g. decay=0.02)
and reads the fold's sentences as the program would, on the sentences as they are and on their
traditional rendering (Debian's opencc, s2t, read back as the program reads it: lattiscribe-readings
--simplified). Printed: the share of marked polyphones read right over all folds, for each bonus and
threshold of a grid, and the best against the program's settings. Those are the ones to build with, in
model.py and the engine's constants, unless they are as good as the best within a few sentences: the
grid is flat near its top, and a setting chosen on noise does not carry to other text.
No sentence is ever read by a model that learnt from it.
"""

import argparse
import collections
import multiprocessing
import os
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from model import READING, TRAINING, Model, learn, read_cpp, sentence_readings  # noqa: E402
from reading import lexicon_from_arguments, numbered  # noqa: E402

BONUSES = (0.0, 0.1, 0.2, 0.3, 0.4, 0.5, 0.7)
THRESHOLDS = (0.5, 0.55, 0.6, 0.65, 0.7, 0.8)

# Shared with the workers, which fork from the process that set it.
_task = {}


def rendered(items, readings_tool):
    """Each sentence's text as the program reads it, by the sentence's index: as it is, and its
    traditional rendering (where that keeps its length) read back as simplified, with that rendering."""
    texts = "\n".join(text for _, text, _, _ in items) + "\n"
    traditional = subprocess.run(["opencc", "-c", "s2t"], input=texts, capture_output=True, text=True,
                                 check=True).stdout
    read_back = subprocess.run([readings_tool, "--simplified"], input=traditional, capture_output=True,
                               text=True, check=True).stdout.split("\n")
    simplified, as_read = {}, {}
    for (index, text, _, _), shown, read in zip(items, traditional.split("\n"), read_back):
        simplified[index] = text
        if len(shown) == len(text) == len(read):
            as_read[index] = (shown, read)
    return {"simplified": simplified, "traditional": as_read}


def _read_fold(fold):
    items, lexicon, folds, training, texts = (_task[k] for k in ("items", "lexicon", "folds", "training", "texts"))
    model = Model(learn([item for item in items if item[0] % folds != fold], lexicon, training))
    read = {}
    for index, _, _, _ in items:
        if index % folds == fold:
            read[index] = {name: sentence_readings(lexicon, model, by_index[index] if name == "simplified"
                                                   else by_index[index][1])
                           for name, by_index in texts.items() if index in by_index}
    return read


def cross_validate(items, lexicon, texts, folds, training=TRAINING, jobs=1):
    """Each sentence's SentenceReadings (model.py) by its index and the name of its text, each read by the
    model learnt from the other folds."""
    _task.update(items=items, lexicon=lexicon, folds=folds, training=training, texts=texts)
    if jobs > 1:
        with multiprocessing.get_context("fork").Pool(jobs) as pool:
            parts = pool.map(_read_fold, range(folds))
    else:
        parts = [_read_fold(fold) for fold in range(folds)]
    return {index: read for part in parts for index, read in part.items()}


def score(items, read, name, texts, settings=READING):
    """How the marked polyphones of one text come out under these reading settings: sentences, right,
    the misses counted, the marked ones underlined, the wrong ones among them, and of all ideographs,
    how many and how many underlined."""
    right = marked_underlined = wrong_underlined = characters = underlined = 0
    misses = collections.Counter()
    sentences = 0
    for index, text, at, label in items:
        if name not in read.get(index, {}):
            continue
        sentences += 1
        shown = text if name == "simplified" else texts[name][index][0]
        for k, sentence_reading in read[index][name].items():
            reading, settled = sentence_reading.decide(settings)
            characters += 1
            underlined += not settled
            if k == at:
                ok = numbered(reading) == label
                right += ok
                marked_underlined += not settled
                wrong_underlined += not settled and not ok
                if not ok:
                    misses[f"{shown[at]} {reading} for {label}"] += 1
    return sentences, right, misses, marked_underlined, wrong_underlined, characters, underlined


def main():
    parser = argparse.ArgumentParser(description=__doc__.strip().splitlines()[0])
    parser.add_argument("--folds", type=int, default=10)
    parser.add_argument("--jobs", type=int, default=1)
    parser.add_argument("--readings", default="build/tools/pinyinaccuracy/lattiscribe-readings")
    parser.add_argument("--training", action="append", default=[], metavar="NAME=VALUE")
    # What is left, in order: CPP_DIR and the word lists, as the build names them.
    args, rest = parser.parse_known_args()
    if len(rest) < 2:
        sys.exit(__doc__.strip().splitlines()[2])
    cpp_dir, lexicon = rest[0], lexicon_from_arguments(rest[1:])
    changes = {}
    for change in args.training:
        name, value = change.split("=")
        changes[name] = type(getattr(TRAINING, name))(value)
    training = TRAINING._replace(**changes)
    items = read_cpp(cpp_dir)
    texts = rendered(items, args.readings)
    read = cross_validate(items, lexicon, texts, args.folds, training, args.jobs)

    print(f"{args.folds} folds; training {training}")
    best = None
    for name in texts:
        print(f"\n{name}: share of the marked polyphones read right, by bonus (rows) and threshold (columns)")
        print("bonus  " + "  ".join(f"{t:>6}" for t in THRESHOLDS))
        for bonus in BONUSES:
            row = []
            for threshold in THRESHOLDS:
                settings = READING._replace(bonus=bonus, overrule=threshold)
                sentences, right = score(items, read, name, texts, settings)[:2]
                row.append(f"{100 * right / sentences:6.2f}")
                if name == "simplified" and (best is None or right > best[0]):
                    best = (right, settings)
            print(f"{bonus:5}  " + "  ".join(row))
    ours = score(items, read, "simplified", texts, READING)[1]
    print(f"\nbest on the sentences: bonus {best[1].bonus}, threshold {best[1].overrule}, {best[0] - ours} "
          f"sentences more than the program's (bonus {READING.bonus}, threshold {READING.overrule}) of {len(items)}")


if __name__ == "__main__":
    main()
