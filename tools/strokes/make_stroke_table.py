#!/usr/bin/env python3
"""Writes the stroke-order table compiled into the programs from the npm package hanzi-writer-data.

    make_stroke_table.py hanzi-writer-data-2.0.1.tgz OUT.cpp

Each character's strokes (SVG outlines in stroke order, on a 1024-unit square with y pointing up) are
rounded to whole units and written as two byte streams: the path commands, each stroke closed by an end
mark, and the points, as zigzag varint differences from the point before. Apart, the commands compress
to almost nothing and the points a tenth better than mixed. The characters go in chunks of
CHARACTERS_PER_CHUNK, in code point order, each chunk's commands and then its points compressed with
zlib on their own, so the program inflates only the chunks of the characters it draws (a chunk takes
a fraction of a millisecond), on first use. The characters, where their commands and points start in
their chunk, and their stroke counts stay uncompressed, so that the layout can ask how many strokes a
character has without inflating anything. The medians are not used."""

import json
import os
import re
import sys
import tarfile
import zlib

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
from cpptable import c_string, number_lines  # noqa: E402

# The command codes the program reads (strokeorder.cpp); the number of points each takes.
COMMANDS = {"M": (0, 1), "L": (1, 1), "Q": (2, 2), "C": (3, 3), "Z": (4, 0)}
END_OF_STROKE = 5
# About 100 KB inflated; a chunk of the whole table would compress 2 % better.
CHARACTERS_PER_CHUNK = 128
TOKEN = re.compile(r"[MLQCZ]|-?\d+(?:\.\d+)?")


def varint(value, out):
    zigzag = value * 2 if value >= 0 else -value * 2 - 1
    while zigzag >= 0x80:
        out.append(zigzag & 0x7F | 0x80)
        zigzag >>= 7
    out.append(zigzag)


def encode_stroke(path, commands, out, last):
    tokens = TOKEN.findall(path)
    at = 0
    while at < len(tokens):
        command = tokens[at]
        if command not in COMMANDS:
            sys.exit(f"make_stroke_table: unexpected path token {command!r} in {path[:40]!r}")
        code, points = COMMANDS[command]
        commands.append(code)
        at += 1
        for _ in range(points):
            x, y = round(float(tokens[at])), round(float(tokens[at + 1]))
            at += 2
            varint(x - last[0], out)
            varint(y - last[1], out)
            last = (x, y)
    commands.append(END_OF_STROKE)
    return last


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    characters = {}
    with tarfile.open(sys.argv[1]) as tar:
        for member in tar.getmembers():
            name = member.name.rsplit("/", 1)[-1]
            if not name.endswith(".json") or len(name) != len(".json") + 1:
                continue
            data = json.load(tar.extractfile(member))
            characters[ord(name[0])] = data["strokes"]
    codes = sorted(characters)
    command_offsets, point_offsets, counts = [], [], []
    packed, chunk_offsets, chunk_sizes, chunk_points = b"", [0], [], []
    for first in range(0, len(codes), CHARACTERS_PER_CHUNK):
        commands, points = bytearray(), bytearray()
        for code in codes[first : first + CHARACTERS_PER_CHUNK]:
            strokes = characters[code]
            if not 0 < len(strokes) < 256:
                sys.exit(f"make_stroke_table: U+{code:04X} has {len(strokes)} strokes")
            command_offsets.append(len(commands))
            point_offsets.append(len(points))
            counts.append(len(strokes))
            last = (0, 0)
            for stroke in strokes:
                last = encode_stroke(stroke, commands, points, last)
        packed += zlib.compress(bytes(commands) + bytes(points), 9)
        chunk_offsets.append(len(packed))
        chunk_sizes.append(len(commands) + len(points))
        chunk_points.append(len(commands))
    with open(sys.argv[2], "w", encoding="ascii") as out:
        out.write("// Made by tools/strokes/make_stroke_table.py from the npm package hanzi-writer-data 2.0.1\n")
        out.write("// (Make Me a Hanzi's stroke outlines, under the Arphic Public License). Do not edit.\n")
        out.write('#include "strokeordertable.h"\n\nnamespace StrokeOrderTable {\n\n')
        out.write(f"const int characterCount = {len(codes)};\n")
        out.write(f"const int charactersPerChunk = {CHARACTERS_PER_CHUNK};\n")
        out.write(f"const int chunkCount = {len(chunk_sizes)};\n\n")
        out.write(f"const std::uint32_t chunkPackedOffsets[] = {{\n{number_lines(chunk_offsets)}\n}};\n\n")
        out.write(f"const std::uint32_t chunkSizes[] = {{\n{number_lines(chunk_sizes)}\n}};\n\n")
        out.write(f"const std::uint32_t chunkPointsStarts[] = {{\n{number_lines(chunk_points)}\n}};\n\n")
        out.write(f"const std::uint32_t characters[] = {{\n{number_lines(codes)}\n}};\n\n")
        out.write(f"const std::uint32_t commandOffsets[] = {{\n{number_lines(command_offsets)}\n}};\n\n")
        out.write(f"const std::uint32_t pointOffsets[] = {{\n{number_lines(point_offsets)}\n}};\n\n")
        out.write(f"const std::uint8_t strokeCounts[] = {{\n{number_lines(counts, 32)}\n}};\n\n")
        # One long literal of short lines: compilers read a string far faster than a list of numbers.
        out.write("const char packed[] =\n")
        for start in range(0, len(packed), 64):
            out.write(f'    "{c_string(packed[start : start + 64])}"\n')
        out.write(";\n\n} // namespace StrokeOrderTable\n")


if __name__ == "__main__":
    main()
