"""The words (组词) a card offers for a character: two or three common words of two to four characters,
each of them of level one of the standard list but the character itself, chosen by the frequencies of
the word list the readings use; for a character of several readings, the commonest word of each reading
first. Words of the unfit list (and words that hold one) are never chosen."""

import unicodedata

import datafile

MOST = 3
# A word of three or four characters is offered before one of two only when it is this many times as
# common: a pupil learns a character through its two-character words first.
LONGER_WORD_WEIGHT = {2: 1.0, 3: 0.3, 4: 0.3}
# A third word is offered only when it is this common (its frequency in running text); two always.
THIRD_WORD_FREQUENCY = 3e-10
# A reading gets a word of its own only when one is this common: a rare reading (长 of 长物) would give
# a pupil an odd word.
READING_WORD_FREQUENCY = 5e-10


def read_lists(paths):
    """Characters' readings and words' readings, the first file naming an entry winning, and the
    frequencies, as tools/pinyinwords/make_word_table.py reads the same files."""
    readings, frequencies = {}, {}
    for path in paths:
        for fields in datafile.rows(path):
            text = fields[0]
            syllables = [unicodedata.normalize("NFC", s) for s in fields[1].split(" ")]
            readings.setdefault(text, syllables)
            if len(fields) == 3:
                frequencies.setdefault(text, float(fields[2]))
    return readings, frequencies


def read_unfit(path):
    words = set()
    with open(path, encoding="utf-8") as lines:
        for line in lines:
            words.update(line.split("#", 1)[0].split())
    return words


class WordChooser:
    def __init__(self, readings, frequencies, first_level, unfit, names=frozenset()):
        self.readings = readings
        self.unfit = unfit
        self.names = names
        self.first_level = first_level
        self.by_character = {}
        for word, frequency in frequencies.items():
            if not 2 <= len(word) <= 4 or any(ord(c) > 0xFFFF for c in word):
                continue
            syllables = readings.get(word)
            if not syllables or len(syllables) != len(word):
                continue
            weighed = frequency * LONGER_WORD_WEIGHT[len(word)]
            for character in set(word):
                self.by_character.setdefault(character, []).append((weighed, word))
        for words in self.by_character.values():
            words.sort(key=lambda entry: (-entry[0], entry[1]))

    def fit(self, word, character):
        if any(c != character and c not in self.first_level for c in word) or word in self.names:
            return False
        return not any(word[i:j] in self.unfit for i in range(len(word)) for j in range(i + 1, len(word) + 1))

    def choose(self, character):
        """[(word, syllables)], at most MOST."""
        own = self.readings.get(character, [])
        candidates = [(f, w) for f, w in self.by_character.get(character, [])[:400] if self.fit(w, character)]

        def reading_in(word):
            return self.readings[word][word.index(character)]

        chosen = []

        def take(frequency, word):
            if any(word in other or other in word for other in chosen):
                return False
            chosen.append(word)
            return True

        # The commonest word of each reading, commonest reading first, where the reading has a common one.
        if len(own) > 1:
            for reading in own:
                for frequency, word in candidates:
                    if frequency < READING_WORD_FREQUENCY or len(chosen) >= MOST:
                        break
                    if reading_in(word) == reading and take(frequency, word):
                        break
        for frequency, word in candidates:
            if len(chosen) >= MOST or (len(chosen) >= 2 and frequency < THIRD_WORD_FREQUENCY):
                break
            take(frequency, word)
        return [(word, self.readings[word]) for word in chosen]
