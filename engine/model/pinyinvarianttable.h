#pragma once

#include <cstdint>

// Traditional characters and phrases with their simplified forms, generated at build time from OpenCC's
// dictionaries by tools/pinyinvariants/make_variant_table.py. characters are sorted by traditional code
// unit; phrase i is the code units phraseUnits[phraseStarts[i]] up to phraseStarts[i + 1], sorted, and
// phraseTargets holds its simplified form at the same places.
namespace PinyinVariantTable {

struct Variant
{
    char16_t traditional;
    char16_t simplified;
};

extern const int characterCount;
extern const Variant characters[];
extern const int phraseCount;
extern const std::uint32_t phraseStarts[];
extern const char16_t phraseUnits[];
extern const char16_t phraseTargets[];

} // namespace PinyinVariantTable
