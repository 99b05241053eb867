#pragma once

#include "tablesapi.h"

#include <cstdint>

// The facts of a character, compiled in by tools/charfacts/make_facts_table.py (see there for the
// sources). A character's shape is its radical's number (radical n is the UTF-8 text radicalText from
// radicalOffsets[n] to radicalOffsets[n + 1]; 0 for none) in the low kRadicalBits and its structure above
// them (0 unknown, then the names of structureText); its stroke count is
// Unihan's, 0 where unknown. Code points from denseFirst on have one entry each; the others, sorted, are
// in sparseCharacters with their entries at the same places.
//
// The stroke names are one code per stroke (0 unknown, then the names of strokeKindText), character after
// character in the order of StrokeOrderTable::characters.
//
// The words of the characters wordCharacters (sorted) are words wordFirst[i] to wordFirst[i + 1] - 1;
// word w is the code units wordUnits[wordStarts[w]] up to wordStarts[w + 1], each read as the syllable
// of the same place in wordSyllables (syllable n is syllableText from syllableOffsets[n] on).
namespace CharacterFactsTable {

constexpr int kRadicalBits = 12;

extern LATTISCRIBE_TABLE const char radicalText[];
extern LATTISCRIBE_TABLE const std::uint16_t radicalOffsets[];
extern LATTISCRIBE_TABLE const int radicalCount;
// The names of the structures and of the kinds of stroke by their codes, as radicalText holds the radicals.
extern LATTISCRIBE_TABLE const char structureText[];
extern LATTISCRIBE_TABLE const std::uint16_t structureOffsets[];
extern LATTISCRIBE_TABLE const char strokeKindText[];
extern LATTISCRIBE_TABLE const std::uint16_t strokeKindOffsets[];

extern LATTISCRIBE_TABLE const char32_t denseFirst;
extern LATTISCRIBE_TABLE const int denseCount;
extern LATTISCRIBE_TABLE const std::uint16_t denseShapes[];
extern LATTISCRIBE_TABLE const std::uint8_t denseStrokes[];
extern LATTISCRIBE_TABLE const int sparseCount;
extern LATTISCRIBE_TABLE const char32_t sparseCharacters[];
extern LATTISCRIBE_TABLE const std::uint16_t sparseShapes[];
extern LATTISCRIBE_TABLE const std::uint8_t sparseStrokes[];

extern LATTISCRIBE_TABLE const int strokeNameCount;
extern LATTISCRIBE_TABLE const char strokeNames[];
// Where each stroke starts (the first point of its centre line) and which way it sets off, in the same
// order, three bytes a stroke: x and y in fours of the stroke data's 1024-unit square, y up from 124 units
// below its baseline, and the heading in 256ths of a turn, counterclockwise from the right with y up.
extern LATTISCRIBE_TABLE const char strokeStarts[];

extern LATTISCRIBE_TABLE const char syllableText[];
extern LATTISCRIBE_TABLE const std::uint16_t syllableOffsets[];
extern LATTISCRIBE_TABLE const int wordCharacterCount;
extern LATTISCRIBE_TABLE const char16_t wordCharacters[];
extern LATTISCRIBE_TABLE const std::uint16_t wordFirst[];
extern LATTISCRIBE_TABLE const std::uint32_t wordStarts[];
extern LATTISCRIBE_TABLE const char16_t wordUnits[];
extern LATTISCRIBE_TABLE const std::uint16_t wordSyllables[];

} // namespace CharacterFactsTable
