#!/usr/bin/env python3
"""Trains the context model that reads polyphones from the sentence, and writes engine/tables/data/pinyinmodel.txt.

Usage: train.py CPP_DIR OUTPUT_TXT WORDS_TXT...

CPP_DIR holds dev.sent and dev.lb of the CPP polyphone set (Park and Lee, Interspeech 2020, Apache-2.0):
sentences with one polyphone marked by U+2581 on each side, and its reading with a tone number. Every
fifth sentence (the 5th, 10th, ...) is held out and never read here, so that it measures the model;
the others are its examples. WORDS_TXT are the word lists the program is built from, in the order the
build names them: the program's reading of each sentence before the model (its proposal) is a feature,
and every word of the lists heard at least once in 3 * 10^10 words adds its polyphones' readings, with
their neighbours inside the word as context, as examples of lesser weight.

One multinomial logistic regression per polyphone, over the candidate readings (the lists' readings of
the character and those the examples give it), with the features of engine/model/pinyinmodel.cpp: a
bias, the proposal and whether a word gave it, the character before and after, the two before and
after, and the word it stands in. AdaGrad with L2 decay, in a fixed order, so a second run writes the
same file.
"""

import math
import os
import random
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from reading import Lexicon, numbered, tone_marked  # noqa: E402

EPOCHS = 30
RATE = 0.5
DECAY = 0.01
WORD_EXAMPLE_WEIGHT = 0.3
WORD_EXAMPLE_FREQUENCY = 3e-11
# Weights nearer zero than this change no reading and are left out of the table.
SMALLEST_WEIGHT = 0.02
MARK = "\u2581"


def is_held_out(index):
    return index % 5 == 4


def read_cpp(directory):
    with open(os.path.join(directory, "dev.sent"), encoding="utf-8") as f:
        sentences = f.read().split("\n")
    with open(os.path.join(directory, "dev.lb"), encoding="utf-8") as f:
        labels = f.read().split("\n")
    items = []
    for index, (sentence, label) in enumerate(zip(sentences, labels)):
        if not sentence or is_held_out(index):
            continue
        a = sentence.index(MARK)
        b = sentence.index(MARK, a + 1)
        items.append((sentence[:a] + sentence[a + 1 : b] + sentence[b + 1 :], a, label))
    return items


def context_features(left, right):
    """left: what stands before, nearest last; right: what follows. '^' and '$' stand past the line."""
    features = [("l1", left[-1:]), ("r1", right[:1]), ("l2", left[-2:]), ("r2", right[:2])]
    return [(kind, value) for kind, value in features if value and (len(value) == 2 or kind in ("l1", "r1"))]


def sentence_features(text, at, proposal, word):
    left, right = "^^" + text[:at], text[at + 1 :] + "$$"
    features = [("b", ""), ("pw" if word else "ps", proposal)] + context_features(left, right)
    if word:
        features.append(("w", word))
    return features


def word_features(word, at):
    # Inside a word only: what stands outside it is unknown, so it gives no feature.
    return [("b", "")] + context_features(word[:at], word[at + 1 :])


def scores(weights, char, features, readings):
    return [sum(weights.get((char, f, r), 0.0) for f in features) for r in readings]


def train(examples, candidates):
    weights, squares = {}, {}
    rng = random.Random(1)
    for char in sorted(examples):
        own = examples[char]
        readings = candidates[char]
        for _ in range(EPOCHS):
            rng.shuffle(own)
            for features, label, weight in own:
                scores_now = scores(weights, char, features, readings)
                top = max(scores_now)
                total = sum(math.exp(s - top) for s in scores_now)
                for r, s in zip(readings, scores_now):
                    gradient = weight * (math.exp(s - top) / total - (1.0 if r == label else 0.0))
                    for f in features:
                        key = (char, f, r)
                        w = weights.get(key, 0.0)
                        g = gradient + DECAY * w
                        squares[key] = squares.get(key, 1e-8) + g * g
                        weights[key] = w - RATE * g / math.sqrt(squares[key])
    return weights


def main():
    if len(sys.argv) < 4:
        sys.exit(__doc__.strip().splitlines()[2])
    cpp_dir, target, lists = sys.argv[1], sys.argv[2], sys.argv[3:]
    lexicon = Lexicon(lists)
    examples, candidates = {}, {}
    for text, at, label in read_cpp(cpp_dir):
        char = text[at]
        readings, words = lexicon.proposals(text)
        reading = tone_marked(label)
        examples.setdefault(char, []).append(
            (sentence_features(text, at, readings[at], words[at]), reading, 1.0))
    for char in examples:
        seen = dict.fromkeys(lexicon.chars.get(char, []))
        seen.update(dict.fromkeys(r for _, r, _ in examples[char]))
        candidates[char] = list(seen)
    for word, syllables in lexicon.words.items():
        if lexicon.frequencies.get(word, 0) < WORD_EXAMPLE_FREQUENCY:
            continue
        for at, char in enumerate(word):
            if char in examples and syllables[at] in candidates[char]:
                examples[char].append((word_features(word, at), syllables[at], WORD_EXAMPLE_WEIGHT))
    weights = train(examples, candidates)

    partial = target + ".part"
    with open(partial, "w", encoding="utf-8", newline="\n") as out:
        out.write("# Written by tools/pinyinmodel/train.py from the CPP polyphone set (Apache-2.0) less every fifth\n")
        out.write("# sentence, and the word lists of engine/tables/data/. A polyphone's line: the character, three tabs\n")
        out.write("# and its candidate readings; then one line a feature: character, kind, value, one weight a reading.\n")
        for char in sorted(candidates):
            readings = candidates[char]
            out.write(f"{char}\t\t\t{' '.join(readings)}\n")
            features = sorted({f for (c, f, _) in weights if c == char})
            for kind, value in features:
                row = [weights.get((char, (kind, value), r), 0.0) for r in readings]
                if max(abs(w) for w in row) < SMALLEST_WEIGHT or "\t" in value or "\n" in value:
                    continue
                out.write(f"{char}\t{kind}\t{value}\t{' '.join(f'{w:.3f}' for w in row)}\n")
    os.replace(partial, target)


if __name__ == "__main__":
    main()
