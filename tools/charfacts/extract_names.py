#!/usr/bin/env python3
"""Writes engine/tables/data/propernames.txt: the names of people and organisations among the words a
card could offer, which the word choice skips (a card shows 长江 and 北京, not 令狐冲).

    extract_names.py JIEBA_DICT_TXT OUT.txt STANDARD_LIST WORD_LIST...

JIEBA_DICT_TXT is jieba's dict.txt (Debian's python3-jieba, MIT licence): a word a line with its
frequency and part of speech, nr, nrt and nrfg for names of people, nt for organisations. STANDARD_LIST
holds the 通用规范汉字表 in its order (level one first), a character a line; the WORD_LISTs are
those tools/charfacts/words.py reads. Only names among the first candidates of some character are
kept, so the list stays short. Run again after a change to the word lists."""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import words  # noqa: E402

NAME_TAGS = {"nr", "nrt", "nrfg", "nt"}
# A character that begins this many of the dictionary's names of three characters is a surname; a word of
# three characters that begins with one and that the dictionary does not know is taken for a name too
# (曾繁旭, of the word list's novels).
SURNAME_NAMES = 150
# How many words that are no names a character's candidates are read to: names further down never
# matter, even with some of those words found unfit.
DEPTH = 8


def main():
    if len(sys.argv) < 5:
        sys.exit(__doc__)
    dictionary, output, standard_path = sys.argv[1:4]
    names, known, starts = set(), set(), {}
    with open(dictionary, encoding="utf-8") as lines:
        for line in lines:
            fields = line.split()
            if len(fields) != 3:
                continue
            known.add(fields[0])
            # Four characters tagged so are as often sayings (一劳永逸) as names.
            if fields[2] in NAME_TAGS and len(fields[0]) < 4:
                names.add(fields[0])
                if len(fields[0]) == 3 and fields[2] == "nr":
                    starts[fields[0][0]] = starts.get(fields[0][0], 0) + 1
    surnames = {c for c, n in starts.items() if n >= SURNAME_NAMES}
    with open(standard_path, encoding="utf-8") as lines:
        standard = [line.strip() for line in lines if line.strip()]
    readings, frequencies = words.read_lists(sys.argv[4:])
    chooser = words.WordChooser(readings, frequencies, set(standard[:3500]), set())
    kept = set()
    for character in standard:
        words_found = 0
        for _, word in chooser.by_character.get(character, []):
            if not chooser.fit(word, character):
                continue
            if word in names or (len(word) == 3 and word[0] in surnames and word not in known):
                kept.add(word)
            else:
                words_found += 1
                if words_found == DEPTH:
                    break
    with open(output, "w", encoding="utf-8") as out:
        out.write("# Names of people and organisations that the word choice of the character cards skips: jieba's\n")
        out.write("# dictionary (python3-jieba 0.42.1, dict.txt, MIT licence, (c) Sun Junyi) tags them nr, nrt, nrfg\n")
        out.write("# or nt. Written by tools/charfacts/extract_names.py; one word a line.\n")
        for word in sorted(kept):
            out.write(word + "\n")


if __name__ == "__main__":
    main()
