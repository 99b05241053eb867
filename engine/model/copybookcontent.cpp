#include "copybookcontent.h"

#include "copybookoptions.h"
#include "layoutunits.h"
#include "pinyin.h"
#include "pinyinwords.h"
#include "tracerow.h"

#include <QSet>
#include <QtGlobal>
#include <limits>
#include <vector>

namespace {

// Rows are counted in 64 bits while laying out; a layout whose rows would no longer fit the cell's int is
// cut off there rather than wrapping around.
constexpr qint64 kLastRow = std::numeric_limits<int>::max();

// The low surrogate after a high one at `at`, which the two make one character of; null otherwise.
QChar trailingHalf(const QString &text, int at)
{
    if (text.at(at).isHighSurrogate() && at + 1 < text.size() && text.at(at + 1).isLowSurrogate())
        return text.at(at + 1);
    return {};
}

} // namespace

bool CopyBookContent::annotated() const
{
    return options.showsReadings() || options.card;
}

QString CopyBookContent::readingAt(int at, PinyinWords::Reader &reader) const
{
    if (!annotated())
        return {};
    return overrides.at(at).isEmpty() ? reader.readingAt(at) : overrides.at(at);
}

QVarLengthArray<int, 8> CopyBookContent::placedCharacters(const QVarLengthArray<int, 8> &characters) const
{
    QVarLengthArray<int, 8> placed;
    for (const int at : characters) {
        if (!options.commonChineseOnly || LayoutRules::isCommonChinese(layoutText.at(at)))
            placed.append(at);
    }
    return placed;
}

// Lays the cells out from `cursor` on, handing each to visit(cell, cursor at that cell) until it returns
// false or the text ends. Readings are left out when not asked for: finding the pages does not need them,
// and looking them up would cost most of the walk.
template<typename Visit> void CopyBookContent::walk(Cursor cursor, bool withReadings, Visit visit) const
{
    if (geometry.columns < 1)
        return;
    if (options.isTraceBook())
        walkTrace(cursor, withReadings, visit);
    else
        walkCopy(cursor, withReadings, visit);
}

// Every unit takes a row of its own: the model, then its copies, each unit whole, as many as fit; a
// unit longer than a row goes on in the rows below, without copies.
template<typename Visit> void CopyBookContent::walkTrace(Cursor cursor, bool withReadings, Visit visit) const
{
    const int blank = TraceRow::blankRows(options);
    const int columns = geometry.columns;
    // A Trace row shows one character or word, so 一 and 不 take the tone they have alone.
    PinyinWords::Reader reader(layoutText, PinyinWords::Tones::Plain);
    LayoutUnits units(layoutText, options.words);
    while (cursor.at < layoutText.size()) {
        if (!LayoutRules::isTraceable(layoutText, cursor.at, options.commonChineseOnly)) {
            cursor.at += trailingHalf(layoutText, cursor.at).isNull() ? 1 : 2;
            continue;
        }
        const LayoutUnits::Unit unit = units.unitAt(cursor.at);
        const QVarLengthArray<int, 8> characters = placedCharacters(unit.characters);
        const int length = characters.size();
        const bool shown = length > 0
            && (!options.unique || firstPlaces.value(layoutText.mid(cursor.at, unit.end - cursor.at)) == cursor.at);
        if (shown) {
            if (cursor.row > kLastRow)
                return;
            const int perRow = columns / length;
            const int copies = perRow > 0 ? TraceRow::copies(options, perRow) : 0;
            for (; cursor.placed < (copies + 1) * length; ++cursor.placed) {
                const int instance = cursor.placed / length;
                const int at = characters[cursor.placed % length];
                const int column = perRow > 0 ? cursor.placed : cursor.placed % columns;
                const qint64 row = cursor.row + (perRow > 0 ? 0 : cursor.placed / columns);
                // A card needs its model's reading alone; the band or the zhuyin every cell's.
                const bool read = withReadings && (instance == 0 || options.showsReadings());
                const CopyBookCell cell {column, int(qMin(row, kLastRow)), layoutText.at(at),
                    TraceRow::opacity(options, instance, copies), read ? readingAt(at, reader) : QString(),
                    trailingHalf(layoutText, at), instance == 0,
                    instance == 0 && options.showsCards() ? teacherWords.at(at) : QString()};
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
    const int blank = TraceRow::blankRows(options);
    const int columns = geometry.columns;
    PinyinWords::Reader reader(
        layoutText, options.plainTones ? PinyinWords::Tones::Plain : PinyinWords::Tones::Changed);
    LayoutUnits units(layoutText, options.words);
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
            if (!visit(CopyBookCell {cursor.column, int(cursor.row), layoutText.at(at), options.opacity,
                           withReadings && options.showsReadings() ? readingAt(at, reader) : QString(),
                           trailingHalf(layoutText, at), false, QString()},
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

CopyBookContent::Key CopyBookContent::keyOf(const CopyBookOptions::OptionValues &options, const RowGeometry &geometry)
{
    return {options.bookType, options.traceType, options.blankLines, options.opacity, options.commonChineseOnly,
        options.words, options.copies, options.fade, options.unique, options.showsReadings(), options.card,
        options.plainTones, geometry.columns, geometry.rowsPerPage};
}

void CopyBookContent::layOut(
    const QString &text, const CopyBookOptions::OptionValues &layoutOptions, const RowGeometry &rows)
{
    source = text;
    options = layoutOptions;
    geometry = rows;
    if (annotated()) {
        Pinyin::AnnotatedText parsed = Pinyin::parseAnnotations(text, options.card);
        layoutText = parsed.text;
        overrides = parsed.readings;
        teacherWords = parsed.words;
    } else {
        layoutText = text;
        overrides.clear();
        teacherWords.clear();
    }
    firstPlaces.clear();
    // Even with no column to lay out in: the check that says why walks the text in a column of its own.
    if (options.unique) {
        LayoutUnits units(layoutText, options.words);
        for (int at = 0; at < layoutText.size();) {
            if (!LayoutRules::isTraceable(layoutText, at, options.commonChineseOnly)) {
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
        while (geometry.rowsPerPage > 0 && pageStarts.size() <= cell.row / geometry.rowsPerPage)
            pageStarts.append(here);
        return true;
    });
}

bool CopyBookContent::placesAnything() const
{
    CopyBookContent probe = *this;
    probe.geometry.columns = 1;
    bool places = false;
    probe.walk(Cursor(), false, [&](const CopyBookCell &, const Cursor &) {
        places = true;
        return false;
    });
    return places;
}

int CopyBookContent::pageCount() const
{
    if (geometry.rowsPerPage <= 0 || lastCellRow < 0)
        return 1;
    return lastCellRow / geometry.rowsPerPage + 1;
}

QVector<CopyBookCell> CopyBookContent::cellsOfPage(int page) const
{
    QVector<CopyBookCell> cells;
    if (page < 0 || page >= pageStarts.size())
        return cells;
    const qint64 end = (qint64(page) + 1) * geometry.rowsPerPage;
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
        if (QChar::isPrint(code) && !QChar::isSpace(code)
            && !(options.commonChineseOnly && !LayoutRules::isCommonChinese(ch)))
            characters.append(code);
    }
    return characters;
}
