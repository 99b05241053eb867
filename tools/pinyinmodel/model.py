"""The context model of engine/model/pinyinmodel.cpp on the Python side: its examples and features, its
training, the file it is kept in, and the reading it gives, computed as the program computes it (the
weights as written, in 1/1024ths, the proposal's bonus, the confidence needed to overrule the words), so
that a model learnt from some sentences can be measured on others without a build."""

import math
import os
import random
from typing import NamedTuple

from reading import is_ideograph, tone_marked

MARK = "\u2581"
# Weights nearer zero than this change no reading and are left out of the file.
SMALLEST_WEIGHT = 0.02
# As engine/tables/pinyinmodeltable.h keeps them.
WEIGHT_SCALE = 1024


class Training(NamedTuple):
    """How the weights are learnt: AdaGrad's passes, rate and L2 decay, and which words of the lists give
    their polyphones' readings as examples, at what weight against a sentence: those of the list with
    frequencies heard at least word_frequency times a word (word_weight), and every word of the lists
    without frequencies (named_weight: pinyin-pro's words, named for their polyphones)."""

    epochs: int = 30
    rate: float = 0.5
    decay: float = 0.01
    word_frequency: float = 3e-11
    word_weight: float = 0.3
    named_weight: float = 0.3


class Reading(NamedTuple):
    """How the program uses the model: the bonus added to the proposal's score (kProposalBonus of
    engine/model/pinyinmodel.cpp), the confidence needed to overrule the words and the one below which the
    review underlines (kOverrule and kConfident of engine/model/pinyinwords.cpp)."""

    bonus: float = 0.3
    overrule: float = 0.6
    confident: float = 0.85


# The settings chosen by cross-validation (tools/pinyinmodel/crossvalidate.py); the program is built with
# the same reading settings.
TRAINING = Training()
READING = Reading()


def read_cpp(directory):
    """The CPP set's sentences as (index, text without the marks, the marked character's index, label)."""
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


def examples_of(items, lexicon, training):
    """Each polyphone's examples, (features, reading, weight), and its candidate readings: the lists'
    readings of the character and those its sentences give it. Words of the lists add examples of the
    polyphones the sentences have."""
    examples, candidates = {}, {}
    for _, text, at, label in items:
        readings, words = lexicon.proposals(text)
        examples.setdefault(text[at], []).append(
            (sentence_features(text, at, readings[at], words[at]), tone_marked(label), 1.0))
    for char in examples:
        seen = dict.fromkeys(lexicon.chars.get(char, []))
        seen.update(dict.fromkeys(r for _, r, _ in examples[char]))
        candidates[char] = list(seen)
    for word, syllables in lexicon.words.items():
        weight = max(training.word_weight if lexicon.frequencies.get(word, 0) >= training.word_frequency else 0,
                     training.named_weight if word in lexicon.named else 0)
        if weight == 0:
            continue
        for at, char in enumerate(word):
            if char in examples and syllables[at] in candidates[char]:
                examples[char].append((word_features(word, at), syllables[at], weight))
    return examples, candidates


def train(examples, candidates, training):
    """One multinomial logistic regression per polyphone over its candidates; AdaGrad with L2 decay, in a
    fixed order, so that the same examples always give the same weights."""
    weights, squares = {}, {}
    rng = random.Random(1)
    for char in sorted(examples):
        own = examples[char]
        readings = candidates[char]
        for _ in range(training.epochs):
            rng.shuffle(own)
            for features, label, weight in own:
                scores_now = [sum(weights.get((char, f, r), 0.0) for f in features) for r in readings]
                top = max(scores_now)
                total = sum(math.exp(s - top) for s in scores_now)
                for r, s in zip(readings, scores_now):
                    gradient = weight * (math.exp(s - top) / total - (1.0 if r == label else 0.0))
                    for f in features:
                        key = (char, f, r)
                        w = weights.get(key, 0.0)
                        g = gradient + training.decay * w
                        squares[key] = squares.get(key, 1e-8) + g * g
                        weights[key] = w - training.rate * g / math.sqrt(squares[key])
    return weights


def learn(items, lexicon, training=TRAINING):
    """The model learnt from these sentences, as the lines of its file: (character, kind, value, weights
    as written), a polyphone's candidates first with an empty kind."""
    examples, candidates = examples_of(items, lexicon, training)
    weights = train(examples, candidates, training)
    features_of = {}
    for char, feature, _ in weights:
        features_of.setdefault(char, set()).add(feature)
    lines = []
    for char in sorted(candidates):
        readings = candidates[char]
        lines.append((char, "", "", readings))
        for kind, value in sorted(features_of.get(char, ())):
            row = [weights.get((char, (kind, value), r), 0.0) for r in readings]
            if max(abs(w) for w in row) < SMALLEST_WEIGHT or "\t" in value or "\n" in value:
                continue
            lines.append((char, kind, value, [f"{w:.3f}" for w in row]))
    return lines


def write_model(lines, header, path):
    partial = path + ".part"
    with open(partial, "w", encoding="utf-8", newline="\n") as out:
        out.write(header)
        for char, kind, value, numbers in lines:
            out.write(f"{char}\t{kind}\t{value}\t{' '.join(numbers)}\n")
    os.replace(partial, path)


def read_model(path):
    lines = []
    with open(path, encoding="utf-8") as source:
        for line in source:
            if not line.startswith("#"):
                char, kind, value, numbers = line.rstrip("\n").split("\t")
                lines.append((char, kind, value, numbers.split(" ")))
    return lines


class Model:
    """The model as the program holds it: weights rounded to 1/1024ths, looked up by feature."""

    def __init__(self, lines):
        self.candidates, self.weights = {}, {}
        for char, kind, value, numbers in lines:
            if not kind:
                self.candidates[char] = numbers
            else:
                self.weights[(char, kind, value)] = [round(float(w) * WEIGHT_SCALE) for w in numbers]

    def knows(self, char):
        return char in self.candidates

    def scores(self, char, features):
        total = [0] * len(self.candidates[char])
        for kind, value in features:
            for k, w in enumerate(self.weights.get((char, kind, value), ())):
                total[k] += w
        return total

def choose(candidates, scores, proposal, bonus):
    """The likeliest reading and the model's confidence in it, as PinyinModel::choose gives them."""
    scores = [s + (int(bonus * WEIGHT_SCALE) if r == proposal else 0) for r, s in zip(candidates, scores)]
    best = scores.index(max(scores))
    if len(scores) < 2:
        return candidates[best], 1.0
    runner_up = max(s for k, s in enumerate(scores) if k != best)
    return candidates[best], 1.0 / (1.0 + math.exp((runner_up - scores[best]) / WEIGHT_SCALE))


class SentenceReading:
    """What the program makes of a polyphone of one sentence before the reading's settings apply: the words'
    proposal, and the model's scores where the model reads it; decided for any bonus and threshold."""

    def __init__(self, lexicon, model, text, readings, words, at):
        self.char, self.proposal = text[at], readings[at]
        self.known = model.knows(self.char)
        # A polyphone standing alone that the model does not read is in doubt.
        self.doubtful = not self.known and words[at] is None and len(set(lexicon.chars.get(self.char, ()))) > 1
        # 一 and 不 take their tones from what follows, and the doubled word's particle (好好地) is de,
        # after the model, as the program does; neither is underlined.
        self.fixed = self.char in "\u4e00\u4e0d"
        self.particle = (self.char == "\u5730" and words[at] is None and at >= 2 and text[at - 1] == text[at - 2]
                         and is_ideograph(text[at - 1]))
        self.candidates = self.scores = None
        if self.known and words[at] not in lexicon.settled:
            self.candidates = model.candidates[self.char]
            self.scores = model.scores(self.char, sentence_features(text, at, readings[at], words[at]))

    def decide(self, settings):
        """The reading under these Reading settings, and whether the review leaves it without an underline."""
        if self.particle:
            return "de", True
        if self.fixed:
            return self.proposal, True
        if self.scores is None:
            return self.proposal, not self.doubtful
        choice, confidence = choose(self.candidates, self.scores, self.proposal, settings.bonus)
        return choice if confidence >= settings.overrule else self.proposal, confidence >= settings.confident


def sentence_readings(lexicon, model, text):
    """A SentenceReading for each ideograph of a sentence, by its index."""
    readings, words = lexicon.proposals(text)
    return {at: SentenceReading(lexicon, model, text, readings, words, at)
            for at, c in enumerate(text) if is_ideograph(c)}
