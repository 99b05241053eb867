#!/usr/bin/env python3
"""Writes the character-facts table compiled into the programs: each character's radical, structure and
stroke count from Unihan and the mainland IDS, the names of its strokes from the stroke data's centre
lines, and the words a card offers with their readings.

    make_facts_table.py OUT.cpp --unihan-sources Unihan_IRGSources.txt.bz2
        --unihan-mappings Unihan_OtherMappings.txt.bz2 --cjk-radicals CJKRadicals.txt --ids ids-g.txt
        --radical-exceptions radical-exceptions.txt --strokes hanzi-writer-data-2.0.1.tgz
        --unfit unfitwords.txt --names propernames.txt --words WORDS_TXT...

The declarations and the layout are in engine/tables/characterfactstable.h. The stroke names follow the
order of the stroke table (tools/strokes/make_stroke_table.py), which reads the same characters from the
same file."""

import argparse
import bz2
import json
import math
import os
import sys
import tarfile

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
sys.path.insert(0, os.path.join(HERE, ".."))
import datafile  # noqa: E402
import ids  # noqa: E402
import radicals  # noqa: E402
import strokenames  # noqa: E402
import words  # noqa: E402
from cpptable import c_string, number_lines, write_syllables  # noqa: E402

STANDARD_COUNT = 8105
FIRST_LEVEL = 3500
DENSE_FIRST, DENSE_LAST = 0x4E00, 0x9FFF
RADICAL_BITS = 12


def unihan_fields(path, wanted):
    values = {field: {} for field in wanted}
    opener = bz2.open if path.endswith(".bz2") else open
    with opener(path, "rt", encoding="utf-8") as lines:
        for line in lines:
            fields = line.rstrip("\n").split("\t")
            if len(fields) == 3 and fields[1] in values:
                values[fields[1]][chr(int(fields[0][2:], 16))] = fields[2]
    return values


def standard_list(mappings):
    places = {}
    for character, value in unihan_fields(mappings, ["kTGH"])["kTGH"].items():
        for entry in value.split(" "):
            year, _, place = entry.partition(":")
            if year == "2013":
                places[int(place)] = character
    if sorted(places) != list(range(1, STANDARD_COUNT + 1)):
        sys.exit(f"{mappings}: kTGH does not number {STANDARD_COUNT} characters")
    return [places[n] for n in range(1, STANDARD_COUNT + 1)]


def check_kangxi(path):
    """Each Kangxi radical of CJKRadicals.txt must fall under the 2009 radical the rule maps it to, so a
    slip in that list shows at build time."""
    for number, _, ideograph in datafile.rows(path, ";"):
        character = chr(int(ideograph, 16))
        main = radicals.main_radical(number + ".0")
        if main is not None and character not in radicals.forms_of(main) and radicals.MERGED.get(character) != main:
            sys.exit(f"{path}: radical {number} ({character}) is not a form of {main}")


def read_exceptions(path):
    return dict(datafile.rows(path))


def read_strokes(path):
    """The characters of the stroke data in code point order, as the stroke table keeps them, with their
    centre lines."""
    medians = {}
    with tarfile.open(path) as tar:
        for member in tar.getmembers():
            name = member.name.rsplit("/", 1)[-1]
            if not name.endswith(".json") or len(name) != len(".json") + 1:
                continue
            medians[ord(name[0])] = json.load(tar.extractfile(member))["medians"]
    return [(code, medians[code]) for code in sorted(medians)]


# How far along its centre line a stroke's heading is taken: past the blob where the brush comes down.
HEADING_REACH = 60


def start_of(median):
    """Where the brush starts a stroke, to a quarter of a unit's grain: x, and y measured up from 124 units
    below the baseline (the bottom of the square), each in a byte; then which way it sets off, as an angle
    in 256ths of a turn (y up), from the start to the first point of its centre line HEADING_REACH units
    away (or its last)."""
    x, y = median[0]
    toward = next((p for p in median[1:] if math.hypot(p[0] - x, p[1] - y) >= HEADING_REACH), median[-1])
    angle = math.atan2(toward[1] - y, toward[0] - x) if toward != median[0] else 0.0
    return [min(255, max(0, round(x / 4))), min(255, max(0, round((y + 124) / 4))),
            round(angle / (2 * math.pi) * 256) % 256]


def write_pool(out, name, texts):
    """A pool of UTF-8 texts: nameText, and nameOffsets with where each starts and one past the last."""
    encoded = [t.encode("utf-8") for t in texts]
    offsets = [0]
    for e in encoded:
        offsets.append(offsets[-1] + len(e))
    out.write(f'const char {name}Text[] = "{c_string(b"".join(encoded))}";\n')
    out.write(f"const std::uint16_t {name}Offsets[] = {{\n{number_lines(offsets)}\n}};\n\n")


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("output")
    for option in ("unihan-sources", "unihan-mappings", "cjk-radicals", "ids", "radical-exceptions", "strokes",
                   "unfit", "names"):
        parser.add_argument("--" + option, required=True)
    parser.add_argument("--words", nargs="+", required=True)
    arguments = parser.parse_args()

    check_kangxi(arguments.cjk_radicals)
    standard = standard_list(arguments.unihan_mappings)
    unihan = unihan_fields(arguments.unihan_sources, ["kRSUnicode", "kTotalStrokes"])
    trees = ids.read(arguments.ids)
    exceptions = read_exceptions(arguments.radical_exceptions)
    strokes = read_strokes(arguments.strokes)

    def stroke_count(component):
        if len(component) == 1 and 0x31C0 <= ord(component) <= 0x31EF:
            return 1
        if component == "⺄":
            return 1
        total = unihan["kTotalStrokes"].get(component)
        return int(total.split(" ")[0]) if total else 0

    structures = ids.Structures(trees, stroke_count, standard, (set(radicals.FORMS), radicals.FORM_OF))
    rule = radicals.Rule(trees, standard, exceptions)
    standard_set = set(standard)

    # The names of every stroke, in the stroke table's order; a character's first stroke for the radical
    # of a character of one piece.
    names, starts, first_strokes = [], [], {}
    for code, medians in strokes:
        codes = [strokenames.classify(m) for m in medians]
        names.extend(codes)
        for median in medians:
            starts.extend(start_of(median))
        first_strokes[chr(code)] = strokenames.NAMES[codes[0]]

    covered = sorted(
        set(unihan["kRSUnicode"]) & ({chr(c) for c in range(DENSE_FIRST, DENSE_LAST + 1)} | set(trees))
        | standard_set
        | {chr(code) for code, _ in strokes},
        key=ord,
    )
    forms = [""]
    facts = {}
    for character in covered:
        structure = structures.structure(character)
        krs = unihan["kRSUnicode"].get(character, "").split(" ")[0]
        radical = rule.radical(character, krs, structure, first_strokes.get(character, ""))
        if radical and radical not in forms:
            forms.append(radical)
        total = unihan["kTotalStrokes"].get(character)
        count = int(total.split(" ")[0]) if total else 0
        facts[character] = (forms.index(radical) if radical else 0, ids.STRUCTURES.index(structure), min(count, 255))
    if len(forms) >= 1 << RADICAL_BITS:
        sys.exit("make_facts_table: too many radical forms")

    readings, frequencies = words.read_lists(arguments.words)
    chooser = words.WordChooser(readings, frequencies, set(standard[:FIRST_LEVEL]), words.read_unfit(arguments.unfit),
                                words.read_unfit(arguments.names))
    syllables = [""]
    syllable_numbers = {"": 0}
    word_characters, word_first, word_starts, units, unit_syllables = [], [0], [0], [], []
    for character in sorted(standard, key=ord):
        if ord(character) > 0xFFFF:
            continue
        chosen = chooser.choose(character)
        if not chosen:
            continue
        word_characters.append(ord(character))
        for word, spelled in chosen:
            for unit, syllable in zip(word, spelled):
                if syllable not in syllable_numbers:
                    syllable_numbers[syllable] = len(syllables)
                    syllables.append(syllable)
                units.append(ord(unit))
                unit_syllables.append(syllable_numbers[syllable])
            word_starts.append(len(units))
        word_first.append(len(word_starts) - 1)

    dense = [facts.get(chr(code), (0, 0, 0)) for code in range(DENSE_FIRST, DENSE_LAST + 1)]
    sparse = [c for c in covered if not DENSE_FIRST <= ord(c) <= DENSE_LAST]
    with open(arguments.output, "w", encoding="ascii") as out:
        out.write("// Made by tools/charfacts/make_facts_table.py from Unihan and CJKRadicals.txt (Unicode licence),\n")
        out.write("// BabelStone's IDS (free for any use), hanzi-writer-data (Arphic Public License) and the word\n")
        out.write("// lists of engine/tables/data (pinyin-pro: MIT, @pinyin-pro/data: ISC). Do not edit.\n")
        out.write('#include "characterfactstable.h"\n\nnamespace CharacterFactsTable {\n\n')
        write_pool(out, "radical", forms)
        write_pool(out, "structure", ids.STRUCTURES)
        write_pool(out, "strokeKind", strokenames.NAMES)
        out.write(f"const int radicalCount = {len(forms)};\n")
        out.write(f"const char32_t denseFirst = {DENSE_FIRST};\nconst int denseCount = {len(dense)};\n")
        packed = [radical | structure << RADICAL_BITS for radical, structure, _ in dense]
        out.write(f"const std::uint16_t denseShapes[] = {{\n{number_lines(packed)}\n}};\n")
        out.write(f"const std::uint8_t denseStrokes[] = {{\n{number_lines([s for _, _, s in dense], 32)}\n}};\n\n")
        out.write(f"const int sparseCount = {len(sparse)};\n")
        out.write(f"const char32_t sparseCharacters[] = {{\n{number_lines([ord(c) for c in sparse])}\n}};\n")
        packed = [facts[c][0] | facts[c][1] << RADICAL_BITS for c in sparse]
        out.write(f"const std::uint16_t sparseShapes[] = {{\n{number_lines(packed)}\n}};\n")
        out.write(f"const std::uint8_t sparseStrokes[] = {{\n{number_lines([facts[c][2] for c in sparse], 32)}\n}};\n\n")
        out.write(f"const int strokeNameCount = {len(names)};\n")
        out.write(f'const char strokeNames[] =\n')
        for start in range(0, len(names), 64):
            out.write(f'    "{c_string(bytes(names[start : start + 64]))}"\n')
        out.write(";\n\n")
        out.write("const char strokeStarts[] =\n")
        for start in range(0, len(starts), 64):
            out.write(f'    "{c_string(bytes(starts[start : start + 64]))}"\n')
        out.write(";\n\n")
        write_syllables(out, syllables)
        out.write(f"\nconst int wordCharacterCount = {len(word_characters)};\n")
        out.write(f"const char16_t wordCharacters[] = {{\n{number_lines(word_characters)}\n}};\n")
        out.write(f"const std::uint16_t wordFirst[] = {{\n{number_lines(word_first)}\n}};\n")
        out.write(f"const std::uint32_t wordStarts[] = {{\n{number_lines(word_starts)}\n}};\n")
        out.write(f"const char16_t wordUnits[] = {{\n{number_lines(units)}\n}};\n")
        out.write(f"const std::uint16_t wordSyllables[] = {{\n{number_lines(unit_syllables)}\n}};\n")
        out.write("\n} // namespace CharacterFactsTable\n")


if __name__ == "__main__":
    main()
