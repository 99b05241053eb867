#pragma once

#include <QString>

// Zhuyin (注音符號), the phonetic symbols Taiwan's pupils learn characters with, from and to the
// tone-marked pinyin syllables the readings are written in.
namespace Zhuyin {

struct Spelling
{
    // The symbols in writing order, each from ㄅ (U+3105) to ㄩ (U+3129), one to three of them; empty for
    // a syllable zhuyin does not write (the syllabic n and ng, hng), which is then shown in pinyin.
    QString symbols;
    // 1 to 4, or 5 for the neutral tone.
    int tone = 5;
};

// The spelling of a tone-marked syllable in NFC as Pinyin::toneMarked writes it: "hǎo" ㄏㄠ and 3,
// "zhī" ㄓ and 1, "ma" ㄇㄚ and 5.
Spelling fromPinyin(const QString &syllable);

// The mark written with the symbols for a tone: ˊ, ˇ and ˋ for the 2nd to 4th, ˙ for the neutral tone;
// nothing for the first.
QString toneMark(int tone);

// A tone-marked syllable as zhuyin is typed: the symbols with the tone mark after them, the neutral tone's
// dot before ("ㄏㄠˇ", "˙ㄇㄚ", "ㄓ"); a syllable zhuyin does not write stays in pinyin.
QString written(const QString &syllable);

// A syllable written in zhuyin with its tone mark before or after the symbols ("ㄏㄤˊ", "˙ㄇㄚ", "ㄇㄚ˙";
// none, or ˉ, for the first tone) as the tone-marked pinyin syllable in NFC ("háng", "ma"); empty when it
// is not a syllable.
QString toPinyin(const QString &zhuyin);

} // namespace Zhuyin
