#pragma once

// Traditional text read as its simplified equivalent (們 as 们, 銀行 as 银行), so that the words and the
// context model, which know simplified text, read it too. A character that simplified text also
// writes is kept.
namespace PinyinVariants {

// Writes the simplified form of units[0..count) to out, of the same length: a traditional phrase as a
// whole where one starts, otherwise each character by itself.
void simplify(const char16_t *units, int count, char16_t *out);

} // namespace PinyinVariants
