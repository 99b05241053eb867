#include "pinyinwords.h"

#include "pinyin.h"
#include "pinyinwordtable.h"

#include <algorithm>
#include <limits>

namespace PinyinWords {

namespace {

using namespace PinyinWordTable;

// A clause ends at any character that is not an ideograph, and also at every multiple of this many
// code units, so that a text without punctuation costs no more than one with it, and a position's
// reading does not depend on where a page starting before it begins.
constexpr int kLongestClause = 256;

// Segment costs, in tenths of a decimal order of magnitude: a word is far likelier than a character
// standing alone, so the cheapest cover uses as many words, and then as few segments, as it can.
constexpr int kWordCost = 77;
constexpr int kSingleCost = 130;

constexpr char16_t kYi = u'\u4E00';
constexpr char16_t kBu = u'\u4E0D';
constexpr char16_t kDi = u'\u5730';

bool isIdeograph(char16_t c)
{
    return (c >= 0x3400 && c <= 0x9FFF) || c == 0x3007;
}

// Built once on first use: the table's syllables as strings, so a reading costs no conversion.
const QVector<QString> &syllables()
{
    static const QVector<QString> all = [] {
        QVector<QString> list;
        list.reserve(syllableCount);
        for (int n = 0; n < syllableCount; ++n)
            list.append(
                QString::fromUtf8(syllableText + syllableOffsets[n], syllableOffsets[n + 1] - syllableOffsets[n]));
        return list;
    }();
    return all;
}

std::uint16_t charEntry(char16_t c)
{
    if (c >= charFirst && c - charFirst < charCount)
        return chars[c - charFirst];
    const SparseChar *end = sparse + sparseCount;
    const SparseChar *found
        = std::lower_bound(sparse, end, c, [](const SparseChar &s, char16_t unit) { return s.codePoint < unit; });
    return found != end && found->codePoint == c ? found->entry : 0;
}

int longestWordAt(char16_t c)
{
    return c >= charFirst && c - charFirst < charCount ? longestWordFrom[c - charFirst] : 0;
}

// The number of the word units[0..count), or -1.
int wordNumber(const char16_t *units, int count)
{
    for (std::uint32_t at = hash(units, count) & slotMask; slots[at] != 0; at = (at + 1) & slotMask) {
        const int word = slots[at] - 1;
        const std::uint32_t start = wordStarts[word];
        if (static_cast<int>(wordStarts[word + 1] - start) == count
            && std::equal(units, units + count, wordUnits + start))
            return word;
    }
    return -1;
}

int toneOf(const QString &syllable)
{
    for (const QChar c : syllable.normalized(QString::NormalizationForm_D)) {
        switch (c.unicode()) {
        case 0x0304:
            return 1;
        case 0x0301:
            return 2;
        case 0x030C:
            return 3;
        case 0x0300:
            return 4;
        default:
            break;
        }
    }
    return 0;
}

bool isNumeral(QChar c)
{
    static const QString numerals = QStringLiteral("〇零一二三四五六七八九十");
    return numerals.contains(c);
}

// 一 keeps its own tone in numbers and ordinals (十一, 第一, 一二三) and at a clause's end; before a
// fourth (or neutral) tone it takes the second, before the others the fourth. 不 takes the second
// tone before a fourth.
QString changedTone(char16_t c, const QString &text, int at, int end, const QString &next)
{
    if (at + 1 >= end || next.isEmpty())
        return {};
    const int tone = toneOf(next);
    if (c == kBu)
        return tone == 4 ? QStringLiteral("bú") : QString();
    const QChar before = at > 0 ? text.at(at - 1) : QChar();
    if (isNumeral(text.at(at + 1)) || isNumeral(before) || before == QChar(0x7B2C) || before == QChar(0x767E)
        || before == QChar(0x5343) || before == QChar(0x4E07) || before == QChar(0x4EBF))
        return {};
    return tone == 4 || tone == 0 ? QStringLiteral("yí") : QStringLiteral("yì");
}

// The cheapest cover of a clause by words and characters standing alone: for each end j of a segment,
// the word ending there (-1 for a character standing alone) and its length. Between equal covers the
// longer last word wins, which reads a text from its end, the better way round for Chinese.
struct Cover
{
    QVector<int> word;
    QVector<int> length;
};

Cover cheapestCover(const char16_t *clause, int n)
{
    // cost[j]: the cheapest cover of the first j units.
    QVector<int> cost(n + 1, std::numeric_limits<int>::max());
    Cover cover {QVector<int>(n + 1, -1), QVector<int>(n + 1, 1)};
    cost[0] = 0;
    for (int j = 1; j <= n; ++j) {
        cost[j] = cost[j - 1] + kSingleCost;
        for (int i = std::max(0, j - 8); i + 1 < j; ++i) {
            if (longestWordAt(clause[i]) < j - i || cost[i] + kWordCost > cost[j])
                continue;
            const int found = wordNumber(clause + i, j - i);
            if (found >= 0 && (cost[i] + kWordCost < cost[j] || j - i > cover.length[j])) {
                cost[j] = cost[i] + kWordCost;
                cover.word[j] = found;
                cover.length[j] = j - i;
            }
        }
    }
    return cover;
}

} // namespace

Reader::Reader(const QString &text, Tones tones) : text(text), tones(tones) { }

QString Reader::readingAt(int at)
{
    if (at < clauseStart || at >= clauseEnd)
        readClause(at);
    return readings.at(at - clauseStart);
}

bool Reader::isSettled(int at)
{
    if (at < clauseStart || at >= clauseEnd)
        readClause(at);
    return settled.at(at - clauseStart);
}

void Reader::readClause(int at)
{
    const char16_t *units = reinterpret_cast<const char16_t *>(text.constData());
    if (!isIdeograph(units[at])) {
        clauseStart = at;
        clauseEnd = at + 1;
        readings = {Pinyin::readingOf(text.at(at))};
        settled = {true};
        return;
    }
    const int floor = at - at % kLongestClause;
    const int ceiling = std::min<int>(text.size(), floor + kLongestClause);
    clauseStart = at;
    while (clauseStart > floor && isIdeograph(units[clauseStart - 1]))
        --clauseStart;
    clauseEnd = at + 1;
    while (clauseEnd < ceiling && isIdeograph(units[clauseEnd]))
        ++clauseEnd;
    const int n = clauseEnd - clauseStart;
    const char16_t *clause = units + clauseStart;
    const Cover cover = cheapestCover(clause, n);
    const QVector<int> &word = cover.word;
    const QVector<int> &length = cover.length;

    readings = QVector<QString>(n);
    settled = QVector<bool>(n, true);
    QVector<bool> inWord(n, false);
    for (int j = n; j > 0; j -= length[j]) {
        if (word[j] >= 0) {
            const std::uint16_t *read = wordSyllables + wordStarts[word[j]];
            for (int k = 0; k < length[j]; ++k) {
                readings[j - length[j] + k] = syllables().at(read[k]);
                inWord[j - length[j] + k] = true;
            }
            continue;
        }
        const std::uint16_t entry = charEntry(clause[j - 1]);
        if (entry != 0) {
            readings[j - 1] = syllables().at(entry & ~kPolyphone);
            settled[j - 1] = (entry & kPolyphone) == 0;
        } else {
            readings[j - 1] = Pinyin::readingOf(text.at(clauseStart + j - 1));
        }
    }

    for (int k = 0; k < n; ++k) {
        // After a doubled word (好好地, 慢慢地, 高高兴兴地) 地 is the adverb's particle.
        if (clause[k] == kDi && !inWord[k] && k >= 2 && clause[k - 1] == clause[k - 2]) {
            readings[k] = QStringLiteral("de");
            settled[k] = true;
        }
        if (clause[k] != kYi && clause[k] != kBu)
            continue;
        const QString base = clause[k] == kYi ? QStringLiteral("yī") : QStringLiteral("bù");
        if (tones == Tones::Plain) {
            readings[k] = base;
        } else if (!inWord[k]) {
            const QString changed
                = changedTone(clause[k], text, clauseStart + k, clauseEnd, k + 1 < n ? readings.at(k + 1) : QString());
            readings[k] = changed.isEmpty() ? base : changed;
        }
        settled[k] = true;
    }
}

QStringList choicesOf(QChar ch)
{
    const Choices *end = choices + choiceCount;
    const Choices *found = std::lower_bound(
        choices, end, ch.unicode(), [](const Choices &c, char16_t unit) { return c.codePoint < unit; });
    QStringList list;
    if (found == end || found->codePoint != ch.unicode())
        return list;
    for (int k = 0; k < found->count; ++k)
        list.append(syllables().at(choiceSyllables[found->first + k]));
    return list;
}

QVector<int> wordLengths(const QString &text, int start, int end)
{
    const Cover cover = cheapestCover(reinterpret_cast<const char16_t *>(text.constData()) + start, end - start);
    QVector<int> lengths;
    for (int j = end - start; j > 0; j -= cover.length[j])
        lengths.prepend(cover.length[j]);
    return lengths;
}

QVector<QString> readingsOf(const QString &text, Tones tones)
{
    QVector<QString> all;
    all.reserve(text.size());
    Reader reader(text, tones);
    for (int at = 0; at < text.size(); ++at)
        all.append(reader.readingAt(at));
    return all;
}

} // namespace PinyinWords
