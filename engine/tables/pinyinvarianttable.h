#pragma once

#include "tablesapi.h"

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

extern LATTISCRIBE_TABLE const int characterCount;
extern LATTISCRIBE_TABLE const Variant characters[];
extern LATTISCRIBE_TABLE const int phraseCount;
extern LATTISCRIBE_TABLE const std::uint32_t phraseStarts[];
extern LATTISCRIBE_TABLE const char16_t phraseUnits[];
extern LATTISCRIBE_TABLE const char16_t phraseTargets[];

} // namespace PinyinVariantTable
