"""How the program reads a line before its context model: the segmentation of engine/model/pinyinwords.cpp
over the same word lists and costs, so that the model is trained on the proposals it will be given."""

import math
import unicodedata

LONGEST_CLAUSE = 256
COST_SCALE = 8
UNKNOWN_CHAR_COST = 255
DEFAULT_WORD_FREQUENCY = 1e-10
MARKS = {"\u0304": 1, "\u0301": 2, "\u030c": 3, "\u0300": 4}
TONE_MARKS = {1: "\u0304", 2: "\u0301", 3: "\u030c", 4: "\u0300"}


def cost(frequency):
    return max(1, min(UNKNOWN_CHAR_COST - 1, round(-math.log(frequency) * COST_SCALE)))


def is_ideograph(c):
    return 0x3400 <= ord(c) <= 0x9FFF or c == "\u3007"


def numbered(syllable):
    """The CPP set's spelling of a tone-marked syllable: tone number, 5 for the neutral tone, u: for ü."""
    tone, base = 5, ""
    for c in unicodedata.normalize("NFD", syllable):
        if c in MARKS:
            tone = MARKS[c]
        elif c == "\u0308":
            base += ":"
        else:
            base += c
    return base + str(tone)


def tone_marked(numbered_syllable):
    base, tone = numbered_syllable[:-1].replace("u:", "\u00fc").replace("v", "\u00fc"), int(numbered_syllable[-1])
    if tone == 5:
        return base
    at = -1
    for preferred in ("a", "e", "ou"):
        at = base.find(preferred)
        if at >= 0:
            break
    if at < 0:
        vowels = [i for i, c in enumerate(base) if c in "aeiou\u00fc"]
        at = vowels[-1] if vowels else next(i for i, c in enumerate(base) if c in "mn")
    return unicodedata.normalize("NFC", base[: at + 1] + TONE_MARKS[tone] + base[at + 1 :])


class Lexicon:
    """The word lists as the build reads them (tools/pinyinwords/make_word_table.py): the first file to give
    a character, word or frequency wins. The words of the files in `settled` are read as written. `named`
    are the words whose reading a list without frequencies gave: words named for their polyphones."""

    def __init__(self, paths, settled=()):
        self.chars, self.words, self.frequencies, self.settled, self.named = {}, {}, {}, set(), set()
        for path in paths:
            with open(path, encoding="utf-8") as source:
                for line in source:
                    if line.startswith("#") or not line.strip():
                        continue
                    fields = line.rstrip("\n").split("\t")
                    text, syllables = fields[0], [unicodedata.normalize("NFC", s) for s in fields[1].split(" ")]
                    if len(fields) == 3:
                        self.frequencies.setdefault(text, float(fields[2]))
                    if len(text) == 1:
                        self.chars.setdefault(text, syllables)
                    elif text not in self.words:
                        self.words[text] = syllables
                        if len(fields) == 2:
                            self.named.add(text)
                        if path in settled:
                            self.settled.add(text)
        self.costs = {t: cost(self.frequencies.get(t, DEFAULT_WORD_FREQUENCY)) for t in self.words}
        self.longest_from = {}
        for text in self.words:
            self.longest_from[text[0]] = max(self.longest_from.get(text[0], 0), len(text))

    def char_cost(self, c):
        return cost(self.frequencies[c]) if c in self.frequencies else UNKNOWN_CHAR_COST

    def default(self, c):
        return self.chars[c][0] if c in self.chars else ""

    def proposals(self, text):
        """Each code unit's reading before the model, and the word it stands in (None when alone)."""
        readings, words = [""] * len(text), [None] * len(text)
        at = 0
        while at < len(text):
            if not is_ideograph(text[at]):
                readings[at] = self.default(text[at])
                at += 1
                continue
            end = at
            while end < len(text) and is_ideograph(text[end]) and (end == at or end % LONGEST_CLAUSE):
                end += 1
            self._read_clause(text, at, end, readings, words)
            at = end
        return readings, words

    def _read_clause(self, text, start, end, readings, words):
        clause = text[start:end]
        n = len(clause)
        best, length = [0] * (n + 1), [1] * (n + 1)
        for j in range(1, n + 1):
            best[j] = best[j - 1] + self.char_cost(clause[j - 1])
            for i in range(max(0, j - 16), j - 1):
                if self.longest_from.get(clause[i], 0) < j - i:
                    continue
                word_cost = self.costs.get(clause[i:j])
                if word_cost is None:
                    continue
                total = best[i] + word_cost
                if total < best[j] or (total == best[j] and j - i > length[j]):
                    best[j], length[j] = total, j - i
        j = n
        while j > 0:
            i = j - length[j]
            if length[j] > 1:
                word = clause[i:j]
                for k in range(i, j):
                    readings[start + k], words[start + k] = self.words[word][k - i], word
            else:
                readings[start + i] = self.default(clause[i])
            j = i


def lexicon_from_arguments(arguments):
    """The Lexicon of WORDS_TXT arguments as the build names them: [--settled] WORDS_TXT..."""
    paths, settled = [], set()
    for at, argument in enumerate(arguments):
        if argument != "--settled":
            paths.append(argument)
            if at > 0 and arguments[at - 1] == "--settled":
                settled.add(argument)
    return Lexicon(paths, settled)
