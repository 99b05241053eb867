"""What the table generators under tools/ write alike: C++ array literals and the pool of syllable texts."""

import sys


def c_string(data):
    # Octal escapes always take three digits, so no following byte can be read as part of one.
    return "".join(chr(b) if 0x20 <= b < 0x7F and b not in b'"\\?' else f"\\{b:03o}" for b in data)


def number_lines(values, per_line=16):
    items = [str(v) for v in values]
    return ",\n".join("    " + ", ".join(items[i : i + per_line]) for i in range(0, len(items), per_line))


def write_syllables(out, syllables):
    """Writes syllableText, the syllables' UTF-8 one after the other, and syllableOffsets, where each
    starts (with one past the last at the end). Syllable 0 is the empty one, so a 0 means no reading."""
    encoded = [s.encode("utf-8") for s in syllables]
    offsets = [0]
    for e in encoded:
        offsets.append(offsets[-1] + len(e))
    if offsets[-1] > 0xFFFF or len(syllables) > 0xFFFF:
        sys.exit("syllable table too large for 16-bit offsets")
    text_lines, line = [], b""
    for e in encoded[1:]:
        if len(line) + len(e) > 48:
            text_lines.append(line)
            line = b""
        line += e
    text_lines.append(line)
    out.write("const char syllableText[] =\n")
    out.write("\n".join(f'    "{c_string(l)}"' for l in text_lines) + ";\n\n")
    out.write(f"const std::uint16_t syllableOffsets[] = {{\n{number_lines(offsets)}\n}};\n")
