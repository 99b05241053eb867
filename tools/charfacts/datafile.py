"""The rows of the data files the facts are made from: one entry a line, its fields parted by a separator
(and, in CJKRadicals.txt, padded with spaces), lines starting with # and blank lines passed over."""


def rows(path, separator="\t"):
    with open(path, encoding="utf-8") as lines:
        for line in lines:
            if line.startswith("#") or not line.strip():
                continue
            yield [field.strip(" ") for field in line.rstrip("\n").split(separator)]
