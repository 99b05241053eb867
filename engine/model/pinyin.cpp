#include "pinyin.h"

#include "pinyintable.h"
#include "zhuyin.h"

#include <QStringList>
#include <algorithm>

namespace Pinyin {

namespace {

constexpr char16_t kUmlautU = u'\u00FC';
constexpr char16_t kCombiningDiaeresis = u'\u0308';
constexpr char16_t kCircumflexE = u'\u00EA';
constexpr char16_t kCombiningCircumflex = u'\u0302';
// Combining marks for tones 1 to 4: macron, acute, caron, grave.
constexpr char16_t kToneMarks[] = {u'\u0304', u'\u0301', u'\u030C', u'\u0300'};

// No syllable, tone digit included, takes more; the limit also keeps a long line full of opening
// brackets from being scanned over and over.
constexpr int kLongestOverride = 12;
// A card's few words, each of up to four characters, with room to spare; the same guard against a line of
// opening braces.
constexpr int kLongestWords = 40;

QString syllable(int number)
{
    using namespace PinyinTable;
    if (number == 0)
        return {};
    return QString::fromUtf8(
        syllableText + syllableOffsets[number], syllableOffsets[number + 1] - syllableOffsets[number]);
}

int toneOfMark(char16_t c)
{
    for (int tone = 1; tone <= 4; ++tone) {
        if (kToneMarks[tone - 1] == c)
            return tone;
    }
    return 0;
}

bool isVowel(QChar c)
{
    switch (c.unicode()) {
    case u'a':
    case u'e':
    case u'i':
    case u'o':
    case u'u':
    case kUmlautU:
    case kCircumflexE:
        return true;
    default:
        return false;
    }
}

// An optional initial, one to three vowels and an optional n, ng or r (erhua): loose enough for every
// Unihan reading, strict enough to turn away a footnote number, a word or a sentence.
bool isPlausibleSyllable(const QString &s)
{
    static const QStringList nasalOnly
        = {QStringLiteral("m"), QStringLiteral("n"), QStringLiteral("ng"), QStringLiteral("hm"), QStringLiteral("hng")};
    if (nasalOnly.contains(s))
        return true;
    int i = 0;
    if (s.startsWith(QLatin1String("zh")) || s.startsWith(QLatin1String("ch")) || s.startsWith(QLatin1String("sh")))
        i = 2;
    else if (!s.isEmpty() && !isVowel(s.at(0)))
        i = 1;
    const int firstVowel = i;
    while (i < s.size() && isVowel(s.at(i)))
        ++i;
    if (i == firstVowel || i - firstVowel > 3)
        return false;
    const QStringRef rest = s.midRef(i);
    return rest.isEmpty() || rest == QLatin1String("n") || rest == QLatin1String("ng") || rest == QLatin1String("r");
}

// a or e takes the mark, o in "ou", otherwise the last vowel; syllables without a vowel carry it on the
// nasal (ḿ, ń, ňg, hm̀).
int markPosition(const QString &s)
{
    for (const QString &preferred : {QStringLiteral("a"), QStringLiteral("e"), QStringLiteral("ou")}) {
        const int at = s.indexOf(preferred);
        if (at >= 0)
            return at;
    }
    for (int i = s.size() - 1; i >= 0; --i) {
        if (isVowel(s.at(i)))
            return i;
    }
    for (int i = 0; i < s.size(); ++i) {
        if (s.at(i) == QLatin1Char('m') || s.at(i) == QLatin1Char('n'))
            return i;
    }
    return -1;
}

QChar closingBracket(QChar opening)
{
    if (opening == QLatin1Char('['))
        return QLatin1Char(']');
    if (opening == QChar(0xFF3B))
        return QChar(0xFF3D);
    return {};
}

QChar closingBrace(QChar opening)
{
    if (opening == QLatin1Char('{'))
        return QLatin1Char('}');
    if (opening == QChar(0xFF5B))
        return QChar(0xFF5D);
    return {};
}

bool isBracket(QChar c)
{
    return !closingBracket(c).isNull() || c == QLatin1Char(']') || c == QChar(0xFF3D);
}

// The reading belongs to the code unit before the bracket; white space or a bracket left as text cannot
// carry one.
bool canCarryReading(const QString &textSoFar)
{
    if (textSoFar.isEmpty())
        return false;
    const QChar last = textSoFar.back();
    return !last.isSpace() && !isBracket(last);
}

// Where the last character of text starts: a pair of surrogates is one character.
int firstUnitOfLast(const QString &text)
{
    const int last = text.size() - 1;
    return last > 0 && text.at(last).isLowSurrogate() && text.at(last - 1).isHighSurrogate() ? last - 1 : last;
}

// The index of `close`, which closes what opens at openAt within `longest` code units, or -1 when the line
// ends first.
int closingIndex(const QString &input, int openAt, QChar close, int longest)
{
    const int limit = std::min<int>(input.size(), openAt + 1 + longest + 1);
    for (int i = openAt + 1; i < limit; ++i) {
        if (input.at(i) == close)
            return i;
        if (input.at(i) == QLatin1Char('\n'))
            return -1;
    }
    return -1;
}

} // namespace

QString readingOf(QChar ch)
{
    using namespace PinyinTable;
    const char16_t unit = ch.unicode();
    int number = 0;
    if (unit >= denseFirst && unit - denseFirst < denseCount) {
        number = dense[unit - denseFirst];
    } else {
        const SparseReading *end = sparse + sparseCount;
        const SparseReading *found
            = std::lower_bound(sparse, end, unit, [](const SparseReading &r, char16_t u) { return r.codePoint < u; });
        if (found != end && found->codePoint == unit)
            number = found->syllable;
    }
    return syllable(number);
}

QString readingOf(char32_t codePoint)
{
    using namespace PinyinTable;
    if (codePoint <= 0xFFFF)
        return readingOf(QChar(char16_t(codePoint)));
    const char32_t *end = supplementaryCodePoints + supplementaryCount;
    const char32_t *found = std::lower_bound(supplementaryCodePoints, end, codePoint);
    return found != end && *found == codePoint ? syllable(supplementarySyllables[found - supplementaryCodePoints])
                                               : QString();
}

QStringList allReadingsOf(QChar ch)
{
    using namespace PinyinTable;
    const ReadingList *end = readingLists + readingListCount;
    const ReadingList *found = std::lower_bound(
        readingLists, end, ch.unicode(), [](const ReadingList &r, char16_t u) { return r.codePoint < u; });
    QStringList all;
    if (found != end && found->codePoint == ch.unicode()) {
        for (int k = 0; k < found->count; ++k)
            all.append(syllable(listSyllables[found->first + k]));
    } else if (const QString only = readingOf(ch); !only.isEmpty()) {
        all.append(only);
    }
    return all;
}

QString toneMarked(const QString &syllable)
{
    // Decomposed, a tone-marked letter is its base letter and a combining mark, and ü is u with a diaeresis.
    const QString decomposed = syllable.normalized(QString::NormalizationForm_D).toLower();
    QString base;
    int tone = 0;
    bool marked = false;
    for (int i = 0; i < decomposed.size(); ++i) {
        const char16_t c = decomposed.at(i).unicode();
        const int toneFromMark = toneOfMark(c);
        if (c >= u'a' && c <= u'z') {
            base += QChar(c == u'v' ? kUmlautU : c);
        } else if ((c == u':' || c == kCombiningDiaeresis) && base.endsWith(QLatin1Char('u'))) {
            base.back() = kUmlautU;
        } else if (c == kCombiningCircumflex && base.endsWith(QLatin1Char('e'))) {
            // ê, the interjection 欸 (ê̄, ế), which Unihan reads and the review offers.
            base.back() = kCircumflexE;
        } else if (toneFromMark > 0 && !marked && !base.isEmpty()) {
            tone = toneFromMark;
            marked = true;
        } else if (c >= u'0' && c <= u'5' && i == decomposed.size() - 1 && !marked) {
            tone = (c - u'0') % 5;
        } else {
            return {};
        }
    }
    if (!isPlausibleSyllable(base))
        return {};
    if (tone == 0)
        return base;
    base.insert(markPosition(base) + 1, QChar(kToneMarks[tone - 1]));
    return base.normalized(QString::NormalizationForm_C);
}

AnnotatedText parseReadingOverrides(const QString &input)
{
    return parseAnnotations(input, false);
}

AnnotatedText parseAnnotations(const QString &input, bool words)
{
    AnnotatedText result;
    result.text.reserve(input.size());
    result.readings.reserve(input.size());
    if (words)
        result.words.reserve(input.size());
    bool afterOverride = false;
    bool afterWords = false;
    for (int i = 0; i < input.size(); ++i) {
        const QChar ch = input.at(i);
        if (!closingBracket(ch).isNull() && !afterOverride && canCarryReading(result.text)) {
            const int close = closingIndex(input, i, closingBracket(ch), kLongestOverride);
            const QString written = close > 0 ? input.mid(i + 1, close - i - 1) : QString();
            QString reading = toneMarked(written);
            if (reading.isEmpty())
                reading = Zhuyin::toPinyin(written);
            if (!reading.isEmpty()) {
                result.readings[firstUnitOfLast(result.text)] = reading;
                afterOverride = true;
                i = close;
                continue;
            }
        }
        if (words && !closingBrace(ch).isNull() && !afterWords && canCarryReading(result.text)) {
            const int close = closingIndex(input, i, closingBrace(ch), kLongestWords);
            if (close > 0) {
                result.words[firstUnitOfLast(result.text)] = input.mid(i + 1, close - i - 1);
                afterWords = true;
                i = close;
                continue;
            }
        }
        result.text += ch;
        result.readings.append(QString());
        if (words)
            result.words.append(QString());
        afterOverride = afterWords = false;
    }
    return result;
}

} // namespace Pinyin
