#!/usr/bin/env python3
"""Writes the word-readings table compiled into lattiscribe_engine from engine/model/data/pinyinwords.txt.

Usage: make_word_table.py OUTPUT_CPP WORDS_TXT...

Each WORDS_TXT has one character or word a line, a tab, and its space-separated tone-marked readings (see
tools/pinyinwords/extract_pinyin_pro.mjs). A character's first reading is its reading outside any word;
one with several readings is a polyphone. A word has one reading per character. Where two files give
the same character or word, the first one named wins.

The table is constant data, so the program maps it with its code and builds nothing at start-up:
- characters U+3000 to U+9FFF get one 16-bit entry each, the syllable number with the top bit set
  for a polyphone; the few others are sorted pairs;
- words are found through an open-addressing hash table made here, keyed by FNV-1a over the UTF-16
  code units, probed linearly; engine/pinyinwordtable.h has the declarations and the hash.
"""

import os
import sys
import unicodedata

CHAR_FIRST = 0x3000
CHAR_LAST = 0x9FFF
POLYPHONE = 0x8000
LONGEST_WORD = 8


def fnv1a(units):
    h = 2166136261
    for u in units:
        h = ((h ^ u) * 16777619) & 0xFFFFFFFF
    return h


def plausible(syllable):
    # m̀ and ňg keep a combining mark, having no precomposed letter.
    letters = [c for c in syllable if not unicodedata.category(c).startswith("M")]
    return bool(letters) and all(c.isalpha() and c == c.lower() for c in letters)


def read_entries(path, chars, words):
    with open(path, encoding="utf-8") as source:
        for number, line in enumerate(source, 1):
            if line.startswith("#") or not line.strip():
                continue
            try:
                text, readings = line.rstrip("\n").split("\t")
            except ValueError:
                sys.exit(f"{path}:{number}: expected TEXT<TAB>READINGS")
            syllables = [unicodedata.normalize("NFC", s) for s in readings.split(" ")]
            if not all(plausible(s) for s in syllables):
                sys.exit(f"{path}:{number}: unexpected reading {readings!r}")
            if any(ord(c) > 0xFFFF for c in text):
                continue
            if len(text) == 1:
                chars.setdefault(ord(text), syllables)
            elif len(syllables) != len(text) or len(text) > LONGEST_WORD:
                sys.exit(f"{path}:{number}: a word needs one reading per character, at most {LONGEST_WORD}")
            else:
                words.append((text, syllables))


def c_string(data):
    return "".join(chr(b) if 0x20 <= b < 0x7F and b not in b'"\\?' else f"\\{b:03o}" for b in data)


def number_lines(values, per_line=16):
    items = [str(v) for v in values]
    return ",\n".join("    " + ", ".join(items[i : i + per_line]) for i in range(0, len(items), per_line))


def write_table(chars, words, source_name, out):
    syllables = set(s for readings in chars.values() for s in readings)
    syllables.update(s for _, readings in words for s in readings)
    syllables = [""] + sorted(syllables)
    number = {s: i for i, s in enumerate(syllables)}
    encoded = [s.encode("utf-8") for s in syllables]
    offsets = [0]
    for e in encoded:
        offsets.append(offsets[-1] + len(e))
    if offsets[-1] > 0xFFFF or len(syllables) >= POLYPHONE:
        sys.exit("syllable table too large")

    def entry(readings):
        return number[readings[0]] | (POLYPHONE if len(set(readings)) > 1 else 0)

    dense = [entry(chars[cp]) if cp in chars else 0 for cp in range(CHAR_FIRST, CHAR_LAST + 1)]
    sparse = sorted((cp, entry(r)) for cp, r in chars.items() if not CHAR_FIRST <= cp <= CHAR_LAST)

    # The first word of a text wins, so the extractor's order (longest first) decides duplicates.
    unique = {}
    for text, readings in words:
        unique.setdefault(text, readings)
    words = sorted(unique.items())
    starts, units, word_syllables = [0], [], []
    longest_from = {}
    for text, readings in words:
        units.extend(ord(c) for c in text)
        word_syllables.extend(number[s] for s in readings)
        starts.append(len(units))
        longest_from[ord(text[0])] = max(longest_from.get(ord(text[0]), 0), len(text))
    size = 1
    while size < 2 * len(words):
        size *= 2
    slots = [0] * size
    for index, (text, _) in enumerate(words):
        at = fnv1a(ord(c) for c in text) & (size - 1)
        while slots[at]:
            at = (at + 1) & (size - 1)
        slots[at] = index + 1
    if len(words) >= 0xFFFF:
        sys.exit("too many words for 16-bit slots")
    # The longest word starting with each character lets most positions skip the hash entirely.
    longest = [longest_from.get(cp, 0) for cp in range(CHAR_FIRST, CHAR_LAST + 1)]
    if any(not CHAR_FIRST <= cp <= CHAR_LAST for cp in longest_from):
        sys.exit("a word starts outside U+3000 to U+9FFF")

    text_lines, line = [], b""
    for e in encoded[1:]:
        if len(line) + len(e) > 48:
            text_lines.append(line)
            line = b""
        line += e
    text_lines.append(line)

    out.write(f"// Generated by tools/pinyinwords/make_word_table.py from {source_name}; do not edit.\n")
    out.write("// Data from pinyin-pro (https://github.com/zh-lx/pinyin-pro), MIT licence, (c) zh-lx, and\n")
    out.write("// LattiScribe's own additions.\n")
    out.write(f"// {len(chars)} characters, {len(words)} words, {len(syllables) - 1} distinct syllables.\n\n")
    out.write('#include "pinyinwordtable.h"\n\nnamespace PinyinWordTable {\n\n')
    out.write("const char syllableText[] =\n")
    out.write("\n".join(f'    "{c_string(l)}"' for l in text_lines) + ";\n\n")
    out.write(f"const std::uint16_t syllableOffsets[] = {{\n{number_lines(offsets)}\n}};\n")
    out.write(f"const int syllableCount = {len(syllables)};\n\n")
    out.write(f"const char16_t charFirst = 0x{CHAR_FIRST:04X};\n")
    out.write(f"const int charCount = {len(dense)};\n")
    out.write(f"const std::uint16_t chars[] = {{\n{number_lines(dense)}\n}};\n")
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
    out.write(f"const int wordCount = {len(words)};\n")
    out.write(f"const std::uint32_t wordStarts[] = {{\n{number_lines(starts)}\n}};\n")
    out.write(f"const char16_t wordUnits[] = {{\n{number_lines(units)}\n}};\n")
    out.write(f"const std::uint16_t wordSyllables[] = {{\n{number_lines(word_syllables)}\n}};\n")
    out.write(f"const std::uint32_t slotMask = {size - 1};\n")
    out.write(f"const std::uint16_t slots[] = {{\n{number_lines(slots)}\n}};\n\n")
    out.write("} // namespace PinyinWordTable\n")


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__.strip().splitlines()[2])
    target, sources = sys.argv[1], sys.argv[2:]
    chars, words = {}, []
    for source in sources:
        read_entries(source, chars, words)
    if not chars or not words:
        sys.exit("no readings found")
    partial = target + ".part"
    with open(partial, "w", encoding="utf-8", newline="\n") as out:
        write_table(chars, words, ", ".join(os.path.basename(s) for s in sources), out)
    os.replace(partial, target)


if __name__ == "__main__":
    main()
