#!/usr/bin/env python3
"""Mean absolute difference, in grey levels, between two lists of same-sized binary PGM pages.

Usage: mean_difference.py A1.pgm A2.pgm ... -- B1.pgm B2.pgm ...
"""
import sys


def read_pgm(path):
    with open(path, "rb") as file:
        data = file.read()
    fields = []
    position = 0
    while len(fields) < 4:
        while data[position:position + 1].isspace():
            position += 1
        start = position
        while not data[position:position + 1].isspace():
            position += 1
        fields.append(data[start:position])
    if fields[0] != b"P5" or fields[3] != b"255":
        sys.exit(f"{path}: not an 8-bit binary PGM")
    return int(fields[1]), int(fields[2]), data[position + 1:]


def main():
    split = sys.argv.index("--")
    first, second = sys.argv[1:split], sys.argv[split + 1:]
    if len(first) != len(second) or not first:
        sys.exit("the page counts differ")
    total = count = 0
    for a, b in zip(first, second):
        width_a, height_a, pixels_a = read_pgm(a)
        width_b, height_b, pixels_b = read_pgm(b)
        if (width_a, height_a) != (width_b, height_b):
            sys.exit(f"{a} and {b} differ in size")
        total += sum(abs(x - y) for x, y in zip(pixels_a, pixels_b))
        count += len(pixels_a)
    print(f"{total / count:.3f}")


main()
