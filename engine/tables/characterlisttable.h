#pragma once

#include "tablesapi.h"

// The 通用规范汉字表 (2013), generated at build time from Unihan by tools/unihan/make_character_lists.py:
// its 8,105 characters in the table's order, the first level (3,500) first, then the second (3,000) and
// the third (1,605).
namespace CharacterListTable {

extern LATTISCRIBE_TABLE const int standardCount;
extern LATTISCRIBE_TABLE const char32_t standard[];

} // namespace CharacterListTable
