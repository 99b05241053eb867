#pragma once

#include "tablesapi.h"

#include <cstdint>

// The readings table, generated at build time from Unihan by tools/unihan/make_pinyin_table.py. Syllable number n,
// below syllableCount, is the UTF-8 text syllableText[syllableOffsets[n]] up to syllableOffsets[n + 1]; number 0 is
// empty and means "no reading". Code points from denseFirst on have one number each in dense; the others of the Basic
// Multilingual Plane are in sparse, sorted by code point, and those beyond it in supplementaryCodePoints, sorted, with
// their numbers at the same places of supplementarySyllables. A character with readings beyond its default has a
// ReadingList, sorted by code point, naming count syllable numbers from listSyllables[first] on, the default first.
namespace PinyinTable {

struct SparseReading
{
    char16_t codePoint;
    std::uint16_t syllable;
};

extern LATTISCRIBE_TABLE const char syllableText[];
extern LATTISCRIBE_TABLE const std::uint16_t syllableOffsets[];
extern LATTISCRIBE_TABLE const int syllableCount;
extern LATTISCRIBE_TABLE const char16_t denseFirst;
extern LATTISCRIBE_TABLE const int denseCount;
extern LATTISCRIBE_TABLE const std::uint16_t dense[];
extern LATTISCRIBE_TABLE const int sparseCount;
extern LATTISCRIBE_TABLE const SparseReading sparse[];
extern LATTISCRIBE_TABLE const int supplementaryCount;
extern LATTISCRIBE_TABLE const char32_t supplementaryCodePoints[];
extern LATTISCRIBE_TABLE const std::uint16_t supplementarySyllables[];

struct ReadingList
{
    char16_t codePoint;
    std::uint16_t first;
    std::uint8_t count;
};

extern LATTISCRIBE_TABLE const int readingListCount;
extern LATTISCRIBE_TABLE const ReadingList readingLists[];
extern LATTISCRIBE_TABLE const std::uint16_t listSyllables[];

} // namespace PinyinTable
