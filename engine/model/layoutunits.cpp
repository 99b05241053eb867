#include "layoutunits.h"

#include "pinyinwords.h"

namespace {

uint codePointAt(const QString &text, int at)
{
    const QChar ch = text.at(at);
    if (ch.isHighSurrogate() && at + 1 < text.size() && text.at(at + 1).isLowSurrogate())
        return QChar::surrogateToUcs4(ch, text.at(at + 1));
    return ch.unicode();
}

int lengthAt(const QString &text, int at)
{
    return codePointAt(text, at) > 0xFFFF ? 2 : 1;
}

bool isHan(const QString &text, int at)
{
    return QChar::script(codePointAt(text, at)) == QChar::Script_Han;
}

bool isLineBreak(QChar ch)
{
    return ch == QLatin1Char('\n');
}

// A run's neighbour at `at`, which may lie outside the text: whether it is a space (one the teacher
// typed, so not a line break), and whether it ends the word there (a space, a line break, the text's
// end).
bool isSpaceAt(const QString &text, int at)
{
    return at >= 0 && at < text.size() && text.at(at).isSpace() && !isLineBreak(text.at(at));
}

bool isWordEndAt(const QString &text, int at)
{
    return at < 0 || at >= text.size() || text.at(at).isSpace();
}

} // namespace

LayoutUnits::LayoutUnits(const QString &text, bool words) : text(text), words(words) { }

LayoutUnits::Unit LayoutUnits::unitAt(int at)
{
    Unit unit;
    unit.end = at + lengthAt(text, at);
    if (text.at(at) == LayoutRules::kWordBoundary)
        return unit;
    unit.characters.append(at);
    if (!words || !isHan(text, at))
        return unit;
    if (at < runStart || at >= runEnd)
        cutRun(at);
    for (const int end : wordEnds) {
        if (end > at) {
            unit.end = end;
            break;
        }
    }
    for (int next = at + lengthAt(text, at); next < unit.end; next += lengthAt(text, next))
        unit.characters.append(next);
    return unit;
}

// A run is cut as the readings cut their clauses: within blocks of so many code units, so that a text
// without punctuation costs no more than one with it, and a unit does not depend on where the walk
// resumes.
void LayoutUnits::cutRun(int at)
{
    constexpr int kBlock = 256;
    const int floor = at - at % kBlock;
    const int ceiling = qMin(text.size(), floor + kBlock);
    const auto before = [&](int position) {
        return position >= floor + 2 && text.at(position - 1).isLowSurrogate()
                && text.at(position - 2).isHighSurrogate()
            ? position - 2
            : position - 1;
    };
    runStart = at;
    while (runStart > floor && before(runStart) >= floor && isHan(text, before(runStart)))
        runStart = before(runStart);
    for (runEnd = runStart; runEnd < ceiling && isHan(text, runEnd); runEnd += lengthAt(text, runEnd)) { }
    wordEnds.clear();
    const int previous = runStart - 1;
    const bool setApart = isWordEndAt(text, previous) && isWordEndAt(text, runEnd)
        && (isSpaceAt(text, previous) || isSpaceAt(text, runEnd));
    if (setApart) {
        wordEnds.append(runEnd);
        return;
    }
    // The readings' words, by code units; a word never ends inside a surrogate pair.
    int end = runStart;
    for (const int length : PinyinWords::segments(text, runStart, runEnd)) {
        end += length;
        if (end < runEnd && text.at(end).isLowSurrogate())
            continue;
        wordEnds.append(end);
    }
}

namespace LayoutRules {

bool isCommonChinese(QChar ch)
{
    return ch.unicode() >= 0x4E00 && ch.unicode() <= 0x9FFF;
}

bool isTraceable(const QString &text, int at, bool commonChineseOnly)
{
    const uint code = codePointAt(text, at);
    return QChar::isPrint(code) && !QChar::isSpace(code) && (!commonChineseOnly || isCommonChinese(text.at(at)));
}

int heaviestUnit(const QString &text, bool words, bool commonChineseOnly, const std::function<int(uint)> &weight)
{
    int heaviest = 0;
    LayoutUnits units(text, words);
    for (int at = 0; at < text.size();) {
        if (!isTraceable(text, at, commonChineseOnly)) {
            at += lengthAt(text, at);
            continue;
        }
        const LayoutUnits::Unit unit = units.unitAt(at);
        int sum = 0;
        for (const int character : unit.characters) {
            if (!commonChineseOnly || isCommonChinese(text.at(character)))
                sum += weight(codePointAt(text, character));
        }
        heaviest = qMax(heaviest, sum);
        at = unit.end;
    }
    return heaviest;
}

LeftOut leftOutByFilter(const QString &text, int listed)
{
    LeftOut leftOut;
    for (int at = 0; at < text.size(); at += lengthAt(text, at)) {
        if (isTraceable(text, at, false) && !isCommonChinese(text.at(at))) {
            ++leftOut.count;
            const uint code = codePointAt(text, at);
            if (leftOut.first.size() < listed && !leftOut.first.contains(code))
                leftOut.first.append(code);
        }
    }
    return leftOut;
}

} // namespace LayoutRules
