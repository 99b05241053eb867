#!/usr/bin/env python3
"""Writes engine/tables/data/ids-g.txt, the part of BabelStone's IDS.TXT the character facts need.

    extract_ids.py IDS.TXT UNIHAN_OTHER_MAPPINGS HANZI_WRITER_DATA_TGZ OUT.txt

IDS.TXT (babelstone.co.uk/CJK/IDS.TXT, free for any use) is not on a fresh machine, so its mainland
sequences are kept in the source: for every ideograph of U+4E00 to U+9FFF, of the 通用规范汉字表
(kTGH of Unihan_OtherMappings.txt) and of the stroke data, the sequence whose sources include G (the
mainland form), or the first one where no sequence names G; then the same for every component those
sequences name, so that a component's own split can be looked up. A sequence is kept as published,
without its ^ $ and sources. Run again only to take a newer IDS.TXT."""

import bz2
import re
import sys
import tarfile

SOURCES = re.compile(r"\^(.*)\$\(([A-Z\[\]]+)\)")


def is_ideograph(ch):
    cp = ord(ch)
    return 0x3400 <= cp <= 0x9FFF or 0x20000 <= cp <= 0x3FFFF or 0xF900 <= cp <= 0xFAFF


def read_ids(path):
    sequences = {}
    with open(path, encoding="utf-8-sig") as lines:
        for line in lines:
            if line.startswith("#"):
                continue
            fields = line.rstrip("\r\n").split("\t")
            if len(fields) < 3:
                continue
            found = [SOURCES.fullmatch(f) for f in fields[2:]]
            found = [m for m in found if m]
            if not found:
                continue
            mainland = [m for m in found if "G" in m.group(2)]
            sequences[fields[1]] = (mainland or found)[0].group(1)
    return sequences


def main():
    if len(sys.argv) != 5:
        sys.exit(__doc__)
    ids_path, mappings, strokes, output = sys.argv[1:]
    sequences = read_ids(ids_path)
    wanted = {chr(cp) for cp in range(0x4E00, 0xA000)}
    with bz2.open(mappings, "rt", encoding="utf-8") as lines:
        for line in lines:
            fields = line.rstrip("\n").split("\t")
            if len(fields) == 3 and fields[1] == "kTGH":
                wanted.add(chr(int(fields[0][2:], 16)))
    with tarfile.open(strokes) as tar:
        for name in tar.getnames():
            base = name.rsplit("/", 1)[-1]
            if base.endswith(".json") and len(base) == 6 and is_ideograph(base[0]):
                wanted.add(base[0])
    kept = {ch: sequences[ch] for ch in wanted if ch in sequences}
    for sequence in list(kept.values()):
        for part in sequence:
            if is_ideograph(part) and part in sequences:
                kept.setdefault(part, sequences[part])
    with open(output, "w", encoding="utf-8") as out:
        out.write("# The mainland (G) sequences of BabelStone's Ideographic Description Sequences, IDS.TXT of\n")
        out.write("# 2025-06-27 (babelstone.co.uk/CJK/IDS.TXT, by Andrew West: free for any use, personal or\n")
        out.write("# commercial); written by tools/charfacts/extract_ids.py. One character a line, a tab, its sequence.\n")
        for ch in sorted(kept, key=ord):
            out.write(f"{ch}\t{kept[ch]}\n")


if __name__ == "__main__":
    main()
