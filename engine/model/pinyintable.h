#pragma once

#include <cstdint>

// The readings table, generated at build time from Unihan by tools/unihan/make_pinyin_table.py. Syllable
// number n is the UTF-8 text syllableText[syllableOffsets[n]] up to syllableOffsets[n + 1]; number 0 is
// empty and means "no reading". Code points from denseFirst on have one number each in dense; the others
// of the Basic Multilingual Plane are in sparse, sorted by code point, and those beyond it in
// supplementaryCodePoints, sorted, with their numbers at the same places of supplementarySyllables. A character with
// readings beyond its default has a ReadingList, sorted by code point, naming count syllable numbers from
// listSyllables[first] on, the default first.
namespace PinyinTable {

struct SparseReading
{
    char16_t codePoint;
    std::uint16_t syllable;
};

extern const char syllableText[];
extern const std::uint16_t syllableOffsets[];
extern const char16_t denseFirst;
extern const int denseCount;
extern const std::uint16_t dense[];
extern const int sparseCount;
extern const SparseReading sparse[];
extern const int supplementaryCount;
extern const char32_t supplementaryCodePoints[];
extern const std::uint16_t supplementarySyllables[];

struct ReadingList
{
    char16_t codePoint;
    std::uint16_t first;
    std::uint8_t count;
};

extern const int readingListCount;
extern const ReadingList readingLists[];
extern const std::uint16_t listSyllables[];

} // namespace PinyinTable
