#pragma once

#include <cstdint>

// The word-readings table, generated at build time from engine/model/data/pinyinwords.txt by
// tools/pinyinwords/make_word_table.py. Syllable number n is the UTF-8 text syllableText[syllableOffsets[n]]
// up to syllableOffsets[n + 1]; number 0 is empty. A character's entry is the number of its reading
// outside words, with kPolyphone set when it has other readings; 0 means the table lacks it. Word i is
// the code units wordUnits[wordStarts[i]] up to wordStarts[i + 1], read as the syllables at the same
// places of wordSyllables; slots hold word numbers plus one, 0 for an empty slot.
namespace PinyinWordTable {

constexpr std::uint16_t kPolyphone = 0x8000;

struct SparseChar
{
    char16_t codePoint;
    std::uint16_t entry;
};

extern const char syllableText[];
extern const std::uint16_t syllableOffsets[];
extern const int syllableCount;
extern const char16_t charFirst;
extern const int charCount;
extern const std::uint16_t chars[];
// The length of the longest word starting with each character from charFirst on; 0 when none does.
extern const std::uint8_t longestWordFrom[];
struct Choices
{
    char16_t codePoint;
    std::uint16_t first;
    std::uint8_t count;
};

extern const int sparseCount;
extern const SparseChar sparse[];
// The readings of each polyphone, commonest first, sorted by code point: syllable numbers at
// choiceSyllables[first] on.
extern const int choiceCount;
extern const Choices choices[];
extern const std::uint16_t choiceSyllables[];
extern const int wordCount;
extern const std::uint32_t wordStarts[];
extern const char16_t wordUnits[];
extern const std::uint16_t wordSyllables[];
extern const std::uint32_t slotMask;
extern const std::uint16_t slots[];

// FNV-1a over the code units, as the generator hashes the words.
inline std::uint32_t hash(const char16_t *units, int count)
{
    std::uint32_t h = 2166136261u;
    for (int i = 0; i < count; ++i)
        h = (h ^ units[i]) * 16777619u;
    return h;
}

} // namespace PinyinWordTable
