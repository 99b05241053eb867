#include "pinyinwords.h"

#include "pinyin.h"
#include "pinyinmodel.h"
#include "pinyinvariants.h"
#include "pinyinwordtable.h"

#include <QVarLengthArray>
#include <algorithm>

namespace PinyinWords {

namespace {

using namespace PinyinWordTable;

// A clause ends at any character that is not an ideograph, and also at every multiple of this many
// code units, so that a text without punctuation costs no more than one with it, and a position's
// reading does not depend on where a page starting before it begins.
constexpr int kLongestClause = 256;

// The context model looks at two code units on either side of a polyphone.
constexpr int kContext = 2;

// The model overrules the words only when it is at least this sure. Chosen, with kConfident, on a part
// of the training sentences held out from training, where it costs nothing, and on running text (poems
// above all), which the sentences of an encyclopaedia the model learnt from do not resemble.
constexpr double kOverrule = 0.6;

// Below this confidence the model's reading is in doubt, and the review underlines it. Chosen on a part
// of the training sentences held out from training: about two thirds of the wrong readings are
// underlined, and one in five of those underlined is wrong.
constexpr double kConfident = 0.85;

constexpr char16_t kYi = u'\u4E00';
constexpr char16_t kBu = u'\u4E0D';
constexpr char16_t kDi = u'\u5730';

bool isIdeograph(char16_t c)
{
    return (c >= 0x3400 && c <= 0x9FFF) || c == 0x3007;
}

bool isLineBreak(char16_t c)
{
    return c == u'\n' || c == u'\r' || c == 0x2029;
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

int charCost(char16_t c)
{
    return c >= charFirst && c - charFirst < charCount ? charCosts[c - charFirst] : 255;
}

int longestWordAt(char16_t c)
{
    return c >= charFirst && c - charFirst < charCount ? longestWordFrom[c - charFirst] : 0;
}

// The global slot of the word units[0..count), or -1.
int wordSlot(const char16_t *units, int count)
{
    const WordLength &table = wordLengths[count];
    if (table.slotCount == 0)
        return -1;
    for (std::uint32_t at = hash(units, count) % table.slotCount;; at = (at + 1) % table.slotCount) {
        const char16_t *slot = slotUnits + table.firstUnit + std::size_t(at) * count;
        if (slot[0] == 0)
            return -1;
        if (std::equal(units, units + count, slot))
            return int(table.firstSlot + at);
    }
}

bool isSettledWord(int slot)
{
    return std::binary_search(settledSlots, settledSlots + settledCount, std::uint32_t(slot));
}

// The syllable numbers of the word in `slot`: spelled out, or its characters' own readings.
void wordSyllables(int slot, const char16_t *units, int count, std::uint16_t *out)
{
    const std::uint32_t *end = spelledSlots + spelledCount;
    const std::uint32_t *found = std::lower_bound(spelledSlots, end, std::uint32_t(slot));
    if (found != end && *found == std::uint32_t(slot)) {
        std::copy_n(spelledSyllables + spelledStarts[found - spelledSlots], count, out);
        return;
    }
    for (int k = 0; k < count; ++k)
        out[k] = charEntry(units[k]) & ~kPolyphone;
}

// The likeliest cover of a clause (read as simplified text) by words and characters standing alone:
// for each end j of a segment, the word's slot ending there (-1 for a character standing alone) and its
// length, in slot[j] and length[j] for j from 1 to n. cost[j] is the cheapest cover of the first j units;
// between equal covers the longer last word wins, which reads a text from its end, the better way round
// for Chinese.
void cheapestCover(const char16_t *clause, int n, int *slot, int *length)
{
    QVarLengthArray<int, kLongestClause + 1> cost(n + 1);
    cost[0] = 0;
    for (int j = 1; j <= n; ++j) {
        cost[j] = cost[j - 1] + charCost(clause[j - 1]);
        slot[j] = -1;
        length[j] = 1;
        for (int i = std::max(0, j - kLongestWord); i + 1 < j; ++i) {
            if (longestWordAt(clause[i]) < j - i)
                continue;
            const int found = wordSlot(clause + i, j - i);
            if (found < 0)
                continue;
            const int total = cost[i] + slotCosts[found];
            if (total < cost[j] || (total == cost[j] && j - i > length[j])) {
                cost[j] = total;
                slot[j] = found;
                length[j] = j - i;
            }
        }
    }
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
// clause[at - 1] is the unit before the clause where at is 0.
QString changedTone(char16_t c, const char16_t *clause, int at, int end, const QString &next)
{
    if (at + 1 >= end || next.isEmpty())
        return {};
    const int tone = toneOf(next);
    if (c == kBu)
        return tone == 4 ? QStringLiteral("bú") : QString();
    const QChar before(clause[at - 1]);
    if (isNumeral(QChar(clause[at + 1])) || isNumeral(before) || before == QChar(0x7B2C) || before == QChar(0x767E)
        || before == QChar(0x5343) || before == QChar(0x4E07) || before == QChar(0x4EBF))
        return {};
    return tone == 4 || tone == 0 ? QStringLiteral("yí") : QStringLiteral("yì");
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
        // A character outside the Basic Multilingual Plane is read at its first code unit.
        const bool pair
            = QChar::isHighSurrogate(units[at]) && at + 1 < text.size() && QChar::isLowSurrogate(units[at + 1]);
        // Filled, not made anew, so that their storage is kept from one clause to the next.
        readings.fill(pair ? Pinyin::readingOf(char32_t(QChar::surrogateToUcs4(units[at], units[at + 1])))
                           : Pinyin::readingOf(text.at(at)),
            1);
        settled.fill(true, 1);
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

    // The clause and what stands on either side, read as simplified text; past the line, '^' and '$'.
    QVarLengthArray<char16_t, kLongestClause + 2 * kContext> window(n + 2 * kContext);
    bool lineOver = false;
    for (int k = kContext - 1; k >= 0; --k) {
        const int from = clauseStart - kContext + k;
        lineOver = lineOver || from < 0 || isLineBreak(units[from]);
        window[k] = lineOver ? u'^' : units[from];
    }
    lineOver = false;
    for (int k = 0; k < kContext; ++k) {
        const int from = clauseEnd + k;
        lineOver = lineOver || from >= text.size() || isLineBreak(units[from]);
        window[kContext + n + k] = lineOver ? u'$' : units[from];
    }
    std::copy(units + clauseStart, units + clauseEnd, window.begin() + kContext);
    PinyinVariants::simplify(window.data(), window.size(), window.data());
    // A character the model learnt to read stays itself (閤 is read gé, not as 合).
    for (int k = 0; k < n; ++k) {
        if (PinyinModel::knows(units[clauseStart + k]))
            window[kContext + k] = units[clauseStart + k];
    }
    const char16_t *clause = window.data() + kContext;

    QVarLengthArray<int, kLongestClause + 1> slot(n + 1);
    QVarLengthArray<int, kLongestClause + 1> length(n + 1);
    cheapestCover(clause, n, slot.data(), length.data());

    readings.fill(QString(), n);
    settled.fill(true, n);
    QVarLengthArray<int, kLongestClause> wordStart(n);
    QVarLengthArray<int, kLongestClause> wordLength(n);
    QVarLengthArray<bool, kLongestClause> asWritten(n);
    for (int j = n; j > 0; j -= length[j]) {
        const int first = j - length[j];
        if (slot[j] >= 0) {
            std::uint16_t read[kLongestWord];
            wordSyllables(slot[j], clause + first, length[j], read);
            const bool own = isSettledWord(slot[j]);
            for (int k = 0; k < length[j]; ++k) {
                readings[first + k] = syllables().at(read[k]);
                wordStart[first + k] = first;
                wordLength[first + k] = length[j];
                asWritten[first + k] = own;
            }
            continue;
        }
        wordStart[first] = first;
        wordLength[first] = 1;
        asWritten[first] = false;
        const std::uint16_t entry = charEntry(clause[first]);
        if (entry != 0) {
            readings[first] = syllables().at(entry & ~kPolyphone);
            settled[first] = (entry & kPolyphone) == 0;
        } else {
            readings[first] = Pinyin::readingOf(QChar(clause[first]));
        }
    }

    for (int k = 0; k < n; ++k) {
        if (asWritten[k] || !PinyinModel::knows(clause[k]))
            continue;
        PinyinModel::Context context;
        context.polyphone = clause[k];
        context.before[0] = clause[k - 1];
        context.before[1] = clause[k - 2];
        context.after[0] = clause[k + 1];
        context.after[1] = clause[k + 2];
        context.proposal = readings.at(k);
        if (wordLength[k] > 1) {
            context.word = clause + wordStart[k];
            context.wordLength = wordLength[k];
        }
        const PinyinModel::Choice choice = PinyinModel::choose(context);
        if (choice.confidence >= kOverrule)
            readings[k] = choice.reading;
        settled[k] = choice.confidence >= kConfident;
    }

    for (int k = 0; k < n; ++k) {
        const bool inWord = wordLength[k] > 1;
        // After a doubled word (好好地, 慢慢地, 高高兴兴地) 地 is the adverb's particle.
        if (clause[k] == kDi && !inWord && k >= 2 && clause[k - 1] == clause[k - 2]) {
            readings[k] = QStringLiteral("de");
            settled[k] = true;
        }
        if (clause[k] != kYi && clause[k] != kBu)
            continue;
        const QString base = clause[k] == kYi ? QStringLiteral("yī") : QStringLiteral("bù");
        if (tones == Tones::Plain) {
            readings[k] = base;
        } else if (!inWord) {
            const QString changed = changedTone(clause[k], clause, k, n, k + 1 < n ? readings.at(k + 1) : QString());
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

QVector<int> segments(const QString &text, int start, int end)
{
    const int n = end - start;
    // Read as simplified text, as the readings are.
    QString clause = text.mid(start, n);
    char16_t *units = reinterpret_cast<char16_t *>(clause.data());
    PinyinVariants::simplify(units, n, units);
    QVarLengthArray<int, kLongestClause + 1> slot(n + 1);
    QVarLengthArray<int, kLongestClause + 1> length(n + 1);
    cheapestCover(units, n, slot.data(), length.data());
    QVector<int> lengths;
    for (int j = n; j > 0; j -= length[j])
        lengths.prepend(length[j]);
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
