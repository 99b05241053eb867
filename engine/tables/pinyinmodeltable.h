#pragma once

#include "tablesapi.h"

#include <cstdint>

// The context model's table, generated at build time from engine/tables/data/pinyinmodel.txt by
// tools/pinyinmodel/make_model_table.py. Syllable number n is the UTF-8 text syllableText[syllableOffsets[n]]
// up to syllableOffsets[n + 1]. Each polyphone the model reads (sorted by code point) has candidateCount
// readings, the syllable numbers from candidateSyllables[firstCandidate] on. A feature's weights, one a
// candidate in 1/1024ths, start at weights[featureWeightStarts[s]] for the slot s that holds its key;
// a key of 0 marks an empty slot, and a key is found by probing linearly from key % featureSlotCount.
namespace PinyinModelTable {

struct Polyphone
{
    char16_t codePoint;
    std::uint16_t firstCandidate;
    std::uint8_t candidateCount;
};

// What a feature looks at, numbered as the generator numbers them.
enum class Kind : char16_t {
    Bias = 1,
    ProposalAlone,
    ProposalInWord,
    Before,
    After,
    TwoBefore,
    TwoAfter,
    Word,
};

constexpr double kWeightScale = 1024.0;

extern LATTISCRIBE_TABLE const char syllableText[];
extern LATTISCRIBE_TABLE const std::uint16_t syllableOffsets[];
extern LATTISCRIBE_TABLE const int syllableCount;
extern LATTISCRIBE_TABLE const int polyphoneCount;
extern LATTISCRIBE_TABLE const Polyphone polyphones[];
extern LATTISCRIBE_TABLE const std::uint16_t candidateSyllables[];
extern LATTISCRIBE_TABLE const std::uint32_t featureSlotCount;
extern LATTISCRIBE_TABLE const std::uint64_t featureKeys[];
extern LATTISCRIBE_TABLE const std::uint32_t featureWeightStarts[];
extern LATTISCRIBE_TABLE const std::int16_t weights[];

// FNV-1a (64 bits) over the kind, the polyphone and the value's code units, as the generator keys them.
inline std::uint64_t featureKey(Kind kind, char16_t polyphone, const char16_t *units, int count)
{
    std::uint64_t h = 14695981039346656037u;
    h = (h ^ static_cast<char16_t>(kind)) * 1099511628211u;
    h = (h ^ polyphone) * 1099511628211u;
    for (int i = 0; i < count; ++i)
        h = (h ^ units[i]) * 1099511628211u;
    return h;
}

} // namespace PinyinModelTable
