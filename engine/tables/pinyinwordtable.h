#pragma once

#include "tablesapi.h"

#include <cstdint>

// The word-readings table, generated at build time from the lists in engine/tables/data/ by
// tools/pinyinwords/make_word_table.py. Syllable number n is the UTF-8 text syllableText[syllableOffsets[n]]
// up to syllableOffsets[n + 1]; number 0 is empty. A character's entry is the number of its reading
// outside words, with kPolyphone set when it has other readings; 0 means the table lacks it.
//
// The words of each length L are a hash table of wordLengths[L].slotCount slots, slot s holding L code
// units from slotUnits[firstUnit + s * L] on, all zero where empty. Costs are -ln(frequency) in eighths:
// slotCosts[firstSlot + s] for a word, charCosts for a character alone. A word read otherwise than as
// its characters' entries has its global slot number (firstSlot + s) in the sorted spelledSlots, and
// its syllables from spelledSyllables[spelledStarts[k]] on.
namespace PinyinWordTable {

constexpr std::uint16_t kPolyphone = 0x8000;
constexpr int kLongestWord = 16;
constexpr int kCostScale = 8;

struct WordLength
{
    std::uint32_t firstSlot;
    std::uint32_t slotCount;
    std::uint32_t firstUnit;
};

struct SparseChar
{
    char16_t codePoint;
    std::uint16_t entry;
};

extern LATTISCRIBE_TABLE const char syllableText[];
extern LATTISCRIBE_TABLE const std::uint16_t syllableOffsets[];
extern LATTISCRIBE_TABLE const int syllableCount;
extern LATTISCRIBE_TABLE const char16_t charFirst;
extern LATTISCRIBE_TABLE const int charCount;
extern LATTISCRIBE_TABLE const std::uint16_t chars[];
extern LATTISCRIBE_TABLE const std::uint8_t charCosts[];
// The length of the longest word starting with each character from charFirst on; 0 when none does.
extern LATTISCRIBE_TABLE const std::uint8_t longestWordFrom[];
struct Choices
{
    char16_t codePoint;
    std::uint16_t first;
    std::uint8_t count;
};

extern LATTISCRIBE_TABLE const int sparseCount;
extern LATTISCRIBE_TABLE const SparseChar sparse[];
// The readings of each polyphone, commonest first, sorted by code point: syllable numbers at
// choiceSyllables[first] on.
extern LATTISCRIBE_TABLE const int choiceCount;
extern LATTISCRIBE_TABLE const Choices choices[];
extern LATTISCRIBE_TABLE const std::uint16_t choiceSyllables[];
extern LATTISCRIBE_TABLE const WordLength wordLengths[kLongestWord + 1];
extern LATTISCRIBE_TABLE const char16_t slotUnits[];
extern LATTISCRIBE_TABLE const std::uint8_t slotCosts[];
extern LATTISCRIBE_TABLE const int spelledCount;
extern LATTISCRIBE_TABLE const std::uint32_t spelledSlots[];
extern LATTISCRIBE_TABLE const std::uint32_t spelledStarts[];
extern LATTISCRIBE_TABLE const std::uint16_t spelledSyllables[];
// The sorted global slots of the words read as written, which the context model does not overrule.
extern LATTISCRIBE_TABLE const int settledCount;
extern LATTISCRIBE_TABLE const std::uint32_t settledSlots[];

// FNV-1a over the code units, as the generator hashes the words.
inline std::uint32_t hash(const char16_t *units, int count)
{
    std::uint32_t h = 2166136261u;
    for (int i = 0; i < count; ++i)
        h = (h ^ units[i]) * 16777619u;
    return h;
}

} // namespace PinyinWordTable
