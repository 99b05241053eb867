#!/usr/bin/env python3
"""Writes the word-readings table compiled into lattiscribe_engine from the lists in engine/tables/data/.

Usage: make_word_table.py OUTPUT_CPP [--settled] WORDS_TXT [[--settled] WORDS_TXT...]

Each WORDS_TXT has one character or word a line, a tab, its space-separated tone-marked readings and,
optionally, a tab and its frequency in running text (see tools/pinyinwords/extract_pinyin_pro.mjs and
extract_jieba_words.mjs). A character's first reading is its reading outside any word; one with
several readings is a polyphone. A word has one reading per character. Where two files give the same
character or word, the first one named wins; a word's frequency comes from the first file that gives one.
The words of a file named after --settled are read as they are written, whatever the context model
would say (LattiScribe's own additions: 还书 huán shū).

The table is constant data, so the program maps it with its code and builds nothing at start-up:
- characters U+3000 to U+9FFF get one 16-bit entry each, the syllable number with the top bit set
  for a polyphone, and the cost of the character standing alone; the few others are sorted pairs;
- words are kept by length, each length an open-addressing hash table of its words' code units, keyed
  by FNV-1a over them, probed linearly, with each slot's cost beside it; a word whose reading is not its
  characters' readings alone has its syllables spelled out. engine/model/pinyinwordtable.h has the
  declarations and the hash.

A cost is -ln(frequency) in eighths, so that the cheapest cover of a clause is its likeliest reading as
a string of independent words; a character or word without a frequency of its own gets one that makes
a word cheaper than most pairs of characters, as the lists' own words are ones a reader depends on.
"""

import math
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
from cpptable import number_lines, write_syllables  # noqa: E402
import unicodedata

CHAR_FIRST = 0x3000
CHAR_LAST = 0x9FFF
POLYPHONE = 0x8000
LONGEST_WORD = 16
COST_SCALE = 8
UNKNOWN_CHAR_COST = 255
# A listed word without a frequency: as common as a word met once in ten million.
DEFAULT_WORD_FREQUENCY = 1e-10
# Hash tables are kept at most this full, so that a miss, the usual answer, ends after a few probes.
LOAD = 0.6


def fnv1a(units):
    h = 2166136261
    for u in units:
        h = ((h ^ u) * 16777619) & 0xFFFFFFFF
    return h


def plausible(syllable):
    # m̀ and ňg keep a combining mark, having no precomposed letter.
    letters = [c for c in syllable if not unicodedata.category(c).startswith("M")]
    return bool(letters) and all(c.isalpha() and c == c.lower() for c in letters)


def cost(frequency):
    return max(1, min(UNKNOWN_CHAR_COST - 1, round(-math.log(frequency) * COST_SCALE)))


def read_entries(path, chars, words, frequencies, settled=None):
    with open(path, encoding="utf-8") as source:
        for number, line in enumerate(source, 1):
            if line.startswith("#") or not line.strip():
                continue
            fields = line.rstrip("\n").split("\t")
            if len(fields) not in (2, 3):
                sys.exit(f"{path}:{number}: expected TEXT<TAB>READINGS[<TAB>FREQUENCY]")
            text, readings = fields[0], fields[1]
            syllables = [unicodedata.normalize("NFC", s) for s in readings.split(" ")]
            if not all(plausible(s) for s in syllables):
                sys.exit(f"{path}:{number}: unexpected reading {readings!r}")
            if any(ord(c) > 0xFFFF for c in text):
                continue
            if len(fields) == 3:
                frequencies.setdefault(text, float(fields[2]))
            if len(text) == 1:
                chars.setdefault(ord(text), syllables)
            elif len(syllables) != len(text) or len(text) > LONGEST_WORD:
                sys.exit(f"{path}:{number}: a word needs one reading per character, at most {LONGEST_WORD}")
            else:
                words.setdefault(text, syllables)
                if settled is not None and words[text] == syllables:
                    settled.add(text)


def hash_tables(words, chars, number, settled):
    """Each length's slots, their costs, the spelled-out readings by global slot number, and the
    global slot numbers of the settled words."""
    by_length = {}
    for text in words:
        by_length.setdefault(len(text), []).append(text)
    lengths, units, costs, spelled, settled_slots = [], [], [], [], []
    for length in range(LONGEST_WORD + 1):
        texts = sorted(by_length.get(length, [])) if length >= 2 else []
        size = math.ceil(len(texts) / LOAD) if texts else 0
        table = [None] * size
        for text in texts:
            at = fnv1a(ord(c) for c in text) % size
            while table[at] is not None:
                at = (at + 1) % size
            table[at] = text
        lengths.append((len(costs), size, len(units)))
        for slot, text in enumerate(table):
            if text is None:
                units.extend([0] * length)
                costs.append(0)
                continue
            units.extend(ord(c) for c in text)
            costs.append(words[text][1])
            if text in settled:
                settled_slots.append(lengths[-1][0] + slot)
            readings = words[text][0]
            if readings != [chars.get(ord(c), [""])[0] for c in text]:
                spelled.append((lengths[-1][0] + slot, [number[s] for s in readings]))
    return lengths, units, costs, spelled, settled_slots


def write_table(chars, words, frequencies, settled, source_name, out):
    syllables = set(s for readings in chars.values() for s in readings)
    syllables.update(s for readings in words.values() for s in readings)
    syllables = [""] + sorted(syllables)
    number = {s: i for i, s in enumerate(syllables)}
    if len(syllables) >= POLYPHONE:
        sys.exit("syllable table too large")

    def entry(readings):
        return number[readings[0]] | (POLYPHONE if len(set(readings)) > 1 else 0)

    dense = [entry(chars[cp]) if cp in chars else 0 for cp in range(CHAR_FIRST, CHAR_LAST + 1)]
    char_costs = [
        cost(frequencies[chr(cp)]) if chr(cp) in frequencies else UNKNOWN_CHAR_COST
        for cp in range(CHAR_FIRST, CHAR_LAST + 1)
    ]
    sparse = sorted((cp, entry(r)) for cp, r in chars.items() if not CHAR_FIRST <= cp <= CHAR_LAST)

    longest_from = {}
    for text in words:
        longest_from[ord(text[0])] = max(longest_from.get(ord(text[0]), 0), len(text))
    # The longest word starting with each character lets most positions skip the hash entirely.
    if any(not CHAR_FIRST <= cp <= CHAR_LAST for cp in longest_from):
        sys.exit("a word starts outside U+3000 to U+9FFF")
    longest = [longest_from.get(cp, 0) for cp in range(CHAR_FIRST, CHAR_LAST + 1)]
    costed = {text: (readings, cost(frequencies.get(text, DEFAULT_WORD_FREQUENCY))) for text, readings in words.items()}
    lengths, units, costs, spelled, settled_slots = hash_tables(costed, chars, number, settled)

    out.write(f"// Generated by tools/pinyinwords/make_word_table.py from {source_name}; do not edit.\n")
    out.write("// Data from pinyin-pro (https://github.com/zh-lx/pinyin-pro), MIT licence, (c) zh-lx, jieba's word\n")
    out.write("// list (https://github.com/fxsjy/jieba), MIT licence, (c) Sun Junyi, and LattiScribe's own additions.\n")
    out.write(f"// {len(chars)} characters, {len(words)} words, {len(syllables) - 1} distinct syllables.\n\n")
    out.write('#include "pinyinwordtable.h"\n\nnamespace PinyinWordTable {\n\n')
    write_syllables(out, syllables)
    out.write(f"const int syllableCount = {len(syllables)};\n\n")
    out.write(f"const char16_t charFirst = 0x{CHAR_FIRST:04X};\n")
    out.write(f"const int charCount = {len(dense)};\n")
    out.write(f"const std::uint16_t chars[] = {{\n{number_lines(dense)}\n}};\n")
    out.write(f"const std::uint8_t charCosts[] = {{\n{number_lines(char_costs, 32)}\n}};\n")
    out.write(f"const std::uint8_t longestWordFrom[] = {{\n{number_lines(longest, 32)}\n}};\n\n")
    out.write(f"const int sparseCount = {len(sparse)};\n")
    pairs = ",\n".join(f"    {{0x{cp:04X}, {n}}}" for cp, n in sparse) or "    {0, 0}"
    out.write(f"const SparseChar sparse[] = {{\n{pairs}\n}};\n\n")
    # Every reading of each polyphone, for a reader to choose from: start and count into choiceSyllables.
    polyphones = sorted((cp, r) for cp, r in chars.items() if len(set(r)) > 1)
    choice_syllables, choices = [], []
    for cp, readings in polyphones:
        distinct = list(dict.fromkeys(readings))
        choices.append(f"    {{0x{cp:04X}, {len(choice_syllables)}, {len(distinct)}}}")
        choice_syllables.extend(number[s] for s in distinct)
    out.write(f"const int choiceCount = {len(choices)};\n")
    out.write("const Choices choices[] = {\n" + ",\n".join(choices) + "\n};\n")
    out.write(f"const std::uint16_t choiceSyllables[] = {{\n{number_lines(choice_syllables)}\n}};\n\n")

    table_lines = ",\n".join(f"    {{{first}, {size}, {unit}}}" for first, size, unit in lengths)
    out.write(f"const WordLength wordLengths[] = {{\n{table_lines}\n}};\n")
    out.write(f"const char16_t slotUnits[] = {{\n{number_lines(units)}\n}};\n")
    out.write(f"const std::uint8_t slotCosts[] = {{\n{number_lines(costs, 32)}\n}};\n")
    spelled_starts = [0]
    for _, readings in spelled:
        spelled_starts.append(spelled_starts[-1] + len(readings))
    out.write(f"const int spelledCount = {len(spelled)};\n")
    out.write(f"const std::uint32_t spelledSlots[] = {{\n{number_lines(slot for slot, _ in spelled)}\n}};\n")
    out.write(f"const std::uint32_t spelledStarts[] = {{\n{number_lines(spelled_starts)}\n}};\n")
    spelled_syllables = [n for _, readings in spelled for n in readings]
    out.write(f"const std::uint16_t spelledSyllables[] = {{\n{number_lines(spelled_syllables)}\n}};\n")
    out.write(f"const int settledCount = {len(settled_slots)};\n")
    out.write(f"const std::uint32_t settledSlots[] = {{\n{number_lines(settled_slots) or '    0'}\n}};\n\n")
    out.write("} // namespace PinyinWordTable\n")


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__.strip().splitlines()[2])
    target, arguments = sys.argv[1], sys.argv[2:]
    chars, words, frequencies, settled, sources = {}, {}, {}, set(), []
    for at, source in enumerate(arguments):
        if source != "--settled":
            read_entries(source, chars, words, frequencies, settled if at > 0 and arguments[at - 1] == "--settled" else None)
            sources.append(source)
    if not chars or not words:
        sys.exit("no readings found")
    partial = target + ".part"
    with open(partial, "w", encoding="utf-8", newline="\n") as out:
        write_table(chars, words, frequencies, settled, ", ".join(os.path.basename(s) for s in sources), out)
    os.replace(partial, target)


if __name__ == "__main__":
    main()
