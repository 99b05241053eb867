#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

// Pinyin readings for the characters of a text: the customary Mandarin reading from Unihan, which a
// reading in square brackets right after a character overrides (银行[háng], 行[hang2]).
namespace Pinyin {

// The tone-marked syllable in NFC, such as "hǎo", or an empty string for a code unit without a reading.
QString readingOf(QChar ch);
// The same for a code point, within the Basic Multilingual Plane or beyond it (U+20000 hē).
QString readingOf(char32_t codePoint);

// Every reading Unihan gives the code unit, for a reader to choose from: readingOf's first where there
// is one, then the others of kMandarin, kTGHZ2013, kXHC1983 and kHanyuPinyin, each once.
QStringList allReadingsOf(QChar ch);

// Brings a syllable written with a tone number ("lv4", "lu:4", "nü3", "hao3"; 0, 5 or none for the
// neutral tone) or with a tone mark to its tone-marked form in lower case and NFC, the mark placed by
// the usual rule. An empty string when the text is not a plausible syllable.
QString toneMarked(const QString &syllable);

struct AnnotatedText
{
    QString text;
    // One entry per UTF-16 code unit of text: the tone-marked override, or empty where there is none. A
    // character beyond the Basic Multilingual Plane carries it on its first code unit, where the layout
    // and the readers look.
    QVector<QString> readings;
    // Where the teacher's words were asked for, one entry per code unit likewise: the words in braces
    // after the character, as typed between them (春{春天 春风}: "春天 春风"); empty elsewhere.
    QVector<QString> words;
};

// Takes the bracketed readings out of input, in pinyin as toneMarked takes them or in zhuyin as
// Zhuyin::toPinyin does (行[ㄏㄤˊ]). A bracket that is not closed on its line, that holds no plausible
// syllable or that does not follow a character (at the start, after white space, after a bracket) stays
// in the text as typed. Fullwidth brackets ［］ work the same way.
AnnotatedText parseReadingOverrides(const QString &input);
// The same, and with `words` the teacher's words in braces after a character too, before or after its
// reading (春{春天 春风}, 行[háng]{银行}): a brace not closed on its line, or not after a character, stays
// in the text as typed. Fullwidth braces ｛｝ work the same way.
AnnotatedText parseAnnotations(const QString &input, bool words);

} // namespace Pinyin
