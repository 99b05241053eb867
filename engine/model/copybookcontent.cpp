#include "copybookcontent.h"

#include "copybookoptions.h"
#include "layoutunits.h"
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

// The last of fading copies is drawn at this share of the opacity.
constexpr double kFadedTo = 0.25;

// The low surrogate after a high one at `at`, which the two make one character of; null otherwise.
QChar trailingHalf(const QString &text, int at)
{
    if (text.at(at).isHighSurrogate() && at + 1 < text.size() && text.at(at + 1).isLowSurrogate())
        return text.at(at + 1);
    return {};
}

} // namespace

QString CopyBookContent::readingAt(int at, PinyinWords::Reader &reader) const
{
    if (!laidOut.readings)
        return {};
    return overrides.at(at).isEmpty() ? reader.readingAt(at) : overrides.at(at);
}

QVarLengthArray<int, 8> CopyBookContent::placedCharacters(const QVarLengthArray<int, 8> &characters) const
{
    QVarLengthArray<int, 8> placed;
    for (const int at : characters) {
        if (!commonChineseOnly || LayoutRules::isCommonChinese(layoutText.at(at)))
            placed.append(at);
    }
    return placed;
}

// Copies of a unit after its model, in whole units: as the trace type gives them for a row that holds
// `unitsPerRow` of them (for characters alone exactly the documented counts), or as many as asked and
// as fit.
int CopyBookContent::copiesPerRow(int unitsPerRow) const
{
    if (laidOut.copies >= 0)
        return qMin(laidOut.copies, qMax(0, unitsPerRow - 1));
    switch (static_cast<CopyBookOptions::TraceType>(traceType)) {
    case CopyBookOptions::TraceType::All:
        return unitsPerRow - 1;
    case CopyBookOptions::TraceType::Half:
        return static_cast<int>(std::ceil((unitsPerRow - 1) * 0.5));
    default:
        return 0;
    }
}

double CopyBookContent::opacityOf(int instance, int copies) const
{
    if (instance == 0)
        return 1.0;
    if (!laidOut.fade || copies < 2)
        return opacity;
    return opacity * (1.0 - (1.0 - kFadedTo) * (instance - 1) / (copies - 1));
}

// Lays the cells out from `cursor` on, handing each to visit(cell, cursor at that cell) until it returns
// false or the text ends. Readings are left out when not asked for: finding the pages does not need them,
// and looking them up would cost most of the walk.
template<typename Visit> void CopyBookContent::walk(Cursor cursor, bool withReadings, Visit visit) const
{
    if (columns < 1)
        return;
    if (bookType == static_cast<int>(CopyBookOptions::BookType::Trace))
        walkTrace(cursor, withReadings, visit);
    else
        walkCopy(cursor, withReadings, visit);
}

// Every unit takes a row of its own: the model, then its copies, each unit whole, as many as fit; a
// unit longer than a row goes on in the rows below, without copies.
template<typename Visit> void CopyBookContent::walkTrace(Cursor cursor, bool withReadings, Visit visit) const
{
    const int blank = qBound(0, blankLines, kLargestBlankLines);
    // A Trace row shows one character or word, so 一 and 不 take the tone they have alone.
    PinyinWords::Reader reader(layoutText, PinyinWords::Tones::Plain);
    LayoutUnits units(layoutText, laidOut.words);
    while (cursor.at < layoutText.size()) {
        if (!LayoutRules::isTraceable(layoutText, cursor.at, commonChineseOnly)) {
            cursor.at += trailingHalf(layoutText, cursor.at).isNull() ? 1 : 2;
            continue;
        }
        const LayoutUnits::Unit unit = units.unitAt(cursor.at);
        const QVarLengthArray<int, 8> characters = placedCharacters(unit.characters);
        const int length = characters.size();
        const bool shown = length > 0
            && (!laidOut.unique || firstPlaces.value(layoutText.mid(cursor.at, unit.end - cursor.at)) == cursor.at);
        if (shown) {
            if (cursor.row > kLastRow)
                return;
            const int perRow = columns / length;
            const int copies = perRow > 0 ? copiesPerRow(perRow) : 0;
            for (; cursor.placed < (copies + 1) * length; ++cursor.placed) {
                const int instance = cursor.placed / length;
                const int at = characters[cursor.placed % length];
                const int column = perRow > 0 ? cursor.placed : cursor.placed % columns;
                const qint64 row = cursor.row + (perRow > 0 ? 0 : cursor.placed / columns);
                const CopyBookCell cell {column, int(qMin(row, kLastRow)), layoutText.at(at),
                    opacityOf(instance, copies), withReadings ? readingAt(at, reader) : QString(),
                    trailingHalf(layoutText, at), instance == 0};
                if (!visit(cell, cursor))
                    return;
            }
            cursor.row += (perRow > 0 ? 1 : (length + columns - 1) / columns) + blank;
        }
        cursor.at = unit.end;
        cursor.placed = 0;
    }
}

// The text in reading order, a unit never broken over two rows when it fits in one.
template<typename Visit> void CopyBookContent::walkCopy(Cursor cursor, bool withReadings, Visit visit) const
{
    const int blank = qBound(0, blankLines, kLargestBlankLines);
    PinyinWords::Reader reader(
        layoutText, laidOut.plainTones ? PinyinWords::Tones::Plain : PinyinWords::Tones::Changed);
    LayoutUnits units(layoutText, laidOut.words);
    const auto wrap = [&] {
        cursor.column = 0;
        cursor.row += 1 + blank;
        cursor.freshLine = true;
    };
    while (cursor.at < layoutText.size()) {
        if (layoutText.at(cursor.at) == QLatin1Char('\n')) {
            cursor.column = 0;
            cursor.row += cursor.freshLine ? 1 : 1 + blank;
            cursor.freshLine = true;
            ++cursor.at;
            continue;
        }
        const LayoutUnits::Unit unit = units.unitAt(cursor.at);
        const QVarLengthArray<int, 8> characters = placedCharacters(unit.characters);
        if (cursor.placed == 0 && cursor.column > 0 && cursor.column + characters.size() > columns)
            wrap();
        for (; cursor.placed < characters.size(); ++cursor.placed) {
            if (cursor.row > kLastRow)
                return;
            const int at = characters[cursor.placed];
            if (!visit(CopyBookCell {cursor.column, int(cursor.row), layoutText.at(at), opacity,
                           withReadings ? readingAt(at, reader) : QString(), trailingHalf(layoutText, at)},
                    cursor))
                return;
            cursor.freshLine = false;
            if (++cursor.column == columns)
                wrap();
        }
        cursor.at = unit.end;
        cursor.placed = 0;
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
    firstPlaces.clear();
    // Even with no column to lay out in: the check that says why walks the text in a column of its own.
    if (laidOut.unique) {
        LayoutUnits units(layoutText, laidOut.words);
        for (int at = 0; at < layoutText.size();) {
            if (!LayoutRules::isTraceable(layoutText, at, commonChineseOnly)) {
                ++at;
                continue;
            }
            const int end = units.unitAt(at).end;
            const QString unit = layoutText.mid(at, end - at);
            if (!firstPlaces.contains(unit))
                firstPlaces.insert(unit, at);
            at = end;
        }
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
        if (QChar::isPrint(code) && !QChar::isSpace(code) && !(commonChineseOnly && !LayoutRules::isCommonChinese(ch)))
            characters.append(code);
    }
    return characters;
}
