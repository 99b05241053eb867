#include "copybookcontent.h"

#include "copybookoptions.h"
#include "pinyin.h"
#include "pinyinwords.h"

#include <QSet>
#include <QtGlobal>
#include <cmath>
#include <limits>
#include <vector>

namespace {

// A stored setting can carry any blank-lines count. Negative counts would make rows repeat or run
// backwards, which breaks the ordering the page count relies on, so they count as 0. Very large counts
// only add empty pages and, with a long text, push the rows past what an int holds; a hundred blank rows
// per line is far beyond any practical copybook.
constexpr int kLargestBlankLines = 100;

// Rows are counted in 64 bits while laying out; a layout whose rows would no longer fit the cell's int is
// cut off there rather than wrapping around.
constexpr qint64 kLastRow = std::numeric_limits<int>::max();

bool isCommonChinese(QChar ch)
{
    return ch.unicode() >= 0x4E00 && ch.unicode() <= 0x9FFF;
}

// The low surrogate after a high one at `at`, which the two make one character of; null otherwise.
QChar trailingHalf(const QString &text, int at)
{
    if (text.at(at).isHighSurrogate() && at + 1 < text.size() && text.at(at + 1).isLowSurrogate())
        return text.at(at + 1);
    return {};
}

int fadedCopiesPerRow(int traceType, int columns)
{
    using CopyBookOptions::TraceType;
    switch (static_cast<TraceType>(traceType)) {
    case TraceType::All:
        return columns - 1;
    case TraceType::Half:
        return static_cast<int>(std::ceil((columns - 1) * 0.5));
    default:
        return 0;
    }
}

} // namespace

QString CopyBookContent::readingAt(int at, PinyinWords::Reader &reader) const
{
    if (!laidOut.readings)
        return {};
    return overrides.at(at).isEmpty() ? reader.readingAt(at) : overrides.at(at);
}

// Lays the cells out from `cursor` on, handing each to visit(cell, cursor at that cell) until it returns
// false or the text ends. Both layouts walk the text one code unit at a time. Readings are left out when
// not asked for: finding the pages does not need them, and looking them up would cost most of the walk.
template<typename Visit> void CopyBookContent::walk(Cursor cursor, bool withReadings, Visit visit) const
{
    if (columns < 1)
        return;
    const int blank = qBound(0, blankLines, kLargestBlankLines);
    // A Trace row shows one character, so 一 and 不 take the tone they have alone.
    const bool trace = bookType == static_cast<int>(CopyBookOptions::BookType::Trace);
    PinyinWords::Reader reader(
        layoutText, trace || laidOut.plainTones ? PinyinWords::Tones::Plain : PinyinWords::Tones::Changed);
    if (trace) {
        const int copies = fadedCopiesPerRow(traceType, columns);
        for (; cursor.at < layoutText.size(); ++cursor.at, cursor.copy = 0) {
            const QChar ch = layoutText.at(cursor.at);
            const QChar trailing = trailingHalf(layoutText, cursor.at);
            const uint code = trailing.isNull() ? ch.unicode() : QChar::surrogateToUcs4(ch, trailing);
            if (!QChar::isPrint(code) || QChar::isSpace(code) || (commonChineseOnly && !isCommonChinese(ch)))
                continue;
            if (cursor.row > kLastRow)
                return;
            const QString reading = withReadings ? readingAt(cursor.at, reader) : QString();
            for (; cursor.copy <= copies; ++cursor.copy) {
                const CopyBookCell cell {
                    cursor.copy, int(cursor.row), ch, cursor.copy == 0 ? 1.0 : opacity, reading, trailing};
                if (!visit(cell, cursor))
                    return;
            }
            cursor.row += 1 + blank;
            if (!trailing.isNull())
                ++cursor.at;
        }
        return;
    }
    for (; cursor.at < layoutText.size(); ++cursor.at) {
        const QChar ch = layoutText.at(cursor.at);
        if (ch == QLatin1Char('\n')) {
            cursor.column = 0;
            cursor.row += cursor.freshLine ? 1 : 1 + blank;
            cursor.freshLine = true;
            continue;
        }
        if (commonChineseOnly && !isCommonChinese(ch))
            continue;
        if (cursor.row > kLastRow)
            return;
        const QChar trailing = trailingHalf(layoutText, cursor.at);
        if (!visit(CopyBookCell {cursor.column, int(cursor.row), ch, opacity,
                       withReadings ? readingAt(cursor.at, reader) : QString(), trailing},
                cursor))
            return;
        if (!trailing.isNull())
            ++cursor.at;
        cursor.freshLine = false;
        if (++cursor.column == columns) {
            cursor.column = 0;
            cursor.row += 1 + blank;
            cursor.freshLine = true;
        }
    }
}

void CopyBookContent::rebuildCells(const CellLayoutParameters &parameters)
{
    laidOut = parameters;
    if (laidOut.readings) {
        Pinyin::AnnotatedText annotated = Pinyin::parseReadingOverrides(text);
        layoutText = annotated.text;
        overrides = annotated.readings;
    } else {
        layoutText = text;
        overrides.clear();
    }
    pageStarts.clear();
    placedCells = 0;
    lastCellRow = -1;
    walk(Cursor(), false, [this](const CopyBookCell &cell, const Cursor &here) {
        ++placedCells;
        lastCellRow = cell.row;
        // A page without a cell of its own (blank rows before a later page) starts where the next does.
        while (laidOut.rowsPerPage > 0 && pageStarts.size() <= cell.row / laidOut.rowsPerPage)
            pageStarts.append(here);
        return true;
    });
}

int CopyBookContent::pageCount() const
{
    if (laidOut.rowsPerPage <= 0 || lastCellRow < 0)
        return 1;
    return lastCellRow / laidOut.rowsPerPage + 1;
}

QVector<CopyBookCell> CopyBookContent::cellsOfPage(int page) const
{
    QVector<CopyBookCell> cells;
    if (page < 0 || page >= pageStarts.size())
        return cells;
    const qint64 end = (qint64(page) + 1) * laidOut.rowsPerPage;
    walk(pageStarts.at(page), true, [&](const CopyBookCell &cell, const Cursor &) {
        if (cell.row >= end)
            return false;
        cells.append(cell);
        return true;
    });
    return cells;
}

void CopyBookContent::forEachCell(const std::function<bool(const CopyBookCell &)> &visit) const
{
    walk(Cursor(), true, [&](const CopyBookCell &cell, const Cursor &) { return visit(cell); });
}

QVector<CopyBookCell> CopyBookContent::allCells() const
{
    QVector<CopyBookCell> cells;
    forEachCell([&](const CopyBookCell &cell) {
        cells.append(cell);
        return true;
    });
    return cells;
}

// A text of millions of characters holds a few thousand different ones: each is looked at once, and the
// rest cost a bit test (the rare character beyond the BMP, a hash look-up).
QVector<uint> CopyBookContent::visibleCharacters() const
{
    QVector<uint> characters;
    std::vector<bool> seenInBmp(0x10000);
    QSet<uint> seenBeyond;
    for (int at = 0; at < layoutText.size(); ++at) {
        const QChar ch = layoutText.at(at);
        const QChar trailing = trailingHalf(layoutText, at);
        uint code = ch.unicode();
        if (trailing.isNull()) {
            if (seenInBmp[code])
                continue;
            seenInBmp[code] = true;
        } else {
            code = QChar::surrogateToUcs4(ch, trailing);
            ++at;
            if (seenBeyond.contains(code))
                continue;
            seenBeyond.insert(code);
        }
        if (QChar::isPrint(code) && !QChar::isSpace(code) && !(commonChineseOnly && !isCommonChinese(ch)))
            characters.append(code);
    }
    return characters;
}
