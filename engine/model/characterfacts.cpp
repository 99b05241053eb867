#include "characterfacts.h"

#include "characterfactstable.h"
#include "pinyinwords.h"
#include "strokeordertable.h"

#include <QRegularExpression>
#include <algorithm>
#include <cmath>
#include <vector>

namespace {

namespace Facts = CharacterFactsTable;

QString pooled(const char *text, const std::uint16_t *offsets, int number)
{
    return QString::fromUtf8(text + offsets[number], offsets[number + 1] - offsets[number]);
}

struct Entry
{
    std::uint16_t shape = 0;
    std::uint8_t strokes = 0;
};

Entry entryOf(uint code)
{
    if (code >= Facts::denseFirst && code - Facts::denseFirst < uint(Facts::denseCount)) {
        const uint at = code - Facts::denseFirst;
        return {Facts::denseShapes[at], Facts::denseStrokes[at]};
    }
    const char32_t *end = Facts::sparseCharacters + Facts::sparseCount;
    const char32_t *found = std::lower_bound(Facts::sparseCharacters, end, code);
    if (found == end || *found != code)
        return {};
    const auto at = found - Facts::sparseCharacters;
    return {Facts::sparseShapes[at], Facts::sparseStrokes[at]};
}

// Where each character's stroke names start: the stroke table keeps only the counts.
const std::vector<std::uint32_t> &strokeNameStarts()
{
    static const std::vector<std::uint32_t> starts = [] {
        std::vector<std::uint32_t> sums(StrokeOrderTable::characterCount + 1, 0);
        for (int i = 0; i < StrokeOrderTable::characterCount; ++i)
            sums[i + 1] = sums[i] + StrokeOrderTable::strokeCounts[i];
        return sums;
    }();
    return starts;
}

// The index of the character in the stroke table, or -1.
int strokeIndexOf(uint code)
{
    const std::uint32_t *end = StrokeOrderTable::characters + StrokeOrderTable::characterCount;
    const std::uint32_t *found = std::lower_bound(StrokeOrderTable::characters, end, code);
    return found == end || *found != code ? -1 : int(found - StrokeOrderTable::characters);
}

QStringList strokeNamesOf(int index)
{
    const std::uint32_t first = strokeNameStarts()[index];
    const std::uint32_t last = strokeNameStarts()[index + 1];
    QStringList names;
    for (std::uint32_t stroke = first; stroke < last; ++stroke) {
        const int kind = static_cast<unsigned char>(Facts::strokeNames[stroke]);
        // A stroke the classifier could not name leaves the character without names, rather than with a
        // gap a pupil would take for a stroke.
        if (kind == 0)
            return {};
        names << pooled(Facts::strokeKindText, Facts::strokeKindOffsets, kind);
    }
    return names;
}

// The stroke data's square: 1024 units, y up, the baseline 900 units below the top.
constexpr double kEmUnits = 1024.0;
constexpr double kBaseline = 900.0;
constexpr double kStartGrain = 4.0;
constexpr double kStartBottom = -124.0;
constexpr double kPi = 3.14159265358979323846;

QVector<CharacterFacts::StrokeStart> strokeStartsOf(int index)
{
    QVector<CharacterFacts::StrokeStart> starts;
    for (std::uint32_t stroke = strokeNameStarts()[index]; stroke < strokeNameStarts()[index + 1]; ++stroke) {
        const auto byte = [stroke](int at) { return static_cast<unsigned char>(Facts::strokeStarts[3 * stroke + at]); };
        const double x = byte(0) * kStartGrain;
        const double y = byte(1) * kStartGrain + kStartBottom;
        // Turned from y up to the page's y down.
        const double angle = byte(2) * 2.0 * kPi / 256.0;
        starts.append(CharacterFacts::StrokeStart {
            QPointF(x / kEmUnits, (kBaseline - y) / kEmUnits), QPointF(std::cos(angle), -std::sin(angle))});
    }
    return starts;
}

QVector<CharacterWord> tableWordsOf(uint code)
{
    QVector<CharacterWord> words;
    if (code > 0xFFFF)
        return words;
    const char16_t *end = Facts::wordCharacters + Facts::wordCharacterCount;
    const char16_t *found = std::lower_bound(Facts::wordCharacters, end, char16_t(code));
    if (found == end || *found != code)
        return words;
    const auto at = found - Facts::wordCharacters;
    for (int word = Facts::wordFirst[at]; word < Facts::wordFirst[at + 1]; ++word) {
        CharacterWord entry;
        QStringList syllables;
        for (std::uint32_t unit = Facts::wordStarts[word]; unit < Facts::wordStarts[word + 1]; ++unit) {
            entry.word += QChar(Facts::wordUnits[unit]);
            syllables << pooled(Facts::syllableText, Facts::syllableOffsets, Facts::wordSyllables[unit]);
        }
        entry.pinyin = syllables.join(QLatin1Char(' '));
        words << entry;
    }
    return words;
}

QStringList readingsOf(uint code)
{
    if (code <= 0xFFFF) {
        const QStringList choices = PinyinWords::choicesOf(QChar(code));
        if (!choices.isEmpty())
            return choices;
    }
    // The reading the sheets print for the character standing alone.
    const QString alone = QString::fromUcs4(&code, 1);
    const QString reading = PinyinWords::readingsOf(alone, PinyinWords::Tones::Plain).value(0);
    return reading.isEmpty() ? QStringList() : QStringList {reading};
}

} // namespace

CharacterFacts CharacterFacts::of(uint code)
{
    CharacterFacts facts;
    facts.code = code;
    facts.readings = readingsOf(code);
    const Entry entry = entryOf(code);
    const int radical = entry.shape & ((1 << Facts::kRadicalBits) - 1);
    if (radical > 0)
        facts.radical = pooled(Facts::radicalText, Facts::radicalOffsets, radical);
    const int structure = entry.shape >> Facts::kRadicalBits;
    if (structure > 0)
        facts.structure = pooled(Facts::structureText, Facts::structureOffsets, structure);
    const int strokes = strokeIndexOf(code);
    if (strokes >= 0) {
        facts.strokeCount = StrokeOrderTable::strokeCounts[strokes];
        facts.strokeNames = strokeNamesOf(strokes);
        facts.strokeStarts = strokeStartsOf(strokes);
    } else {
        facts.strokeCount = entry.strokes;
    }
    facts.words = tableWordsOf(code);
    return facts;
}

QVector<CharacterWord> CharacterFacts::readWords(const QStringList &words)
{
    QVector<CharacterWord> read;
    for (const QString &word : words) {
        // Read as running text reads it, so 一 and 不 change their tones as in the table's words (一只 yì zhī).
        const QVector<QString> readings = PinyinWords::readingsOf(word, PinyinWords::Tones::Changed);
        QStringList syllables;
        for (const QString &reading : readings) {
            if (!reading.isEmpty())
                syllables << reading;
        }
        read.append({word, syllables.join(QLatin1Char(' '))});
    }
    return read;
}

QStringList CharacterFacts::wordsTyped(const QString &typed)
{
    static const QRegularExpression parting(QStringLiteral("[\\s,，、;；]+"));
    return typed.split(parting, Qt::SkipEmptyParts);
}

CharacterFacts CharacterFacts::withOwnWords(const QStringList &ownWords) const
{
    CharacterFacts facts = *this;
    facts.words = readWords(ownWords);
    return facts;
}
