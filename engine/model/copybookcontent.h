#pragma once

#include "copybookcell.h"
#include "copybookoptions.h"

#include <QHash>
#include <QString>
#include <QVarLengthArray>
#include <QVector>
#include <functional>
#include <tuple>

namespace PinyinWords {
class Reader;
}

// What the page gives the layout: the squares of a row and the rows of a page.
struct RowGeometry
{
    int columns = 0;
    // Without rows the layout has no pages to give cells for.
    int rowsPerPage = 0;
};

// The text laid out into cells under the options, in reading order with non-decreasing rows. With
// readings, a reading in brackets after a character ("行[hang2]") is taken out of the text and every cell
// carries its reading; without, the text is laid out exactly as typed.
//
// The cells are not held: a long text would take memory in proportion to the whole book for every page
// shown. layOut() walks the layout once and remembers where each page starts, from which the cells of any
// page are laid out again on demand, exactly as the whole walk places them.
class CopyBookContent
{
public:
    // What the layout reads of the options and the page: equal keys lay the same text out into the same
    // cells.
    using Key = std::tuple<CopyBookOptions::BookType, CopyBookOptions::TraceType, int, double, bool, bool, int, bool,
        bool, bool, bool, bool, int, int>;
    static Key keyOf(const CopyBookOptions::OptionValues &options, const RowGeometry &geometry);

    void layOut(const QString &text, const CopyBookOptions::OptionValues &options, const RowGeometry &geometry);

    const QString &text() const { return source; }
    // The text as it is laid out: with readings, the bracketed ones taken out, and with cards the
    // teacher's words in braces.
    const QString &laidOutText() const { return layoutText; }
    qint64 cellCount() const { return placedCells; }
    // The row of the last cell, or -1 when there is none.
    int lastRow() const { return lastCellRow; }
    // One page for an empty layout or a geometry without rows.
    int pageCount() const;
    QVector<CopyBookCell> cellsOfPage(int page) const;
    // Every cell, one after the other, without holding them; `visit` returns false to stop.
    void forEachCell(const std::function<bool(const CopyBookCell &)> &visit) const;
    QVector<CopyBookCell> allCells() const;
    // Every visible character the layout places (not a space, not a control character), each once, in the
    // order of the text: what a font must have a glyph for.
    QVector<uint> visibleCharacters() const;
    // Whether the text has a character to place at all, in a column of its own: what a page without room
    // for a row would lose.
    bool placesAnything() const;

    // Where the walk stands: the unit it is in (a character, or a word) and how many of its cells are
    // placed (in a Trace row, those of its copies too), the column and row, and whether a line break
    // would leave a single empty row.
    struct Cursor
    {
        int at = 0;
        int placed = 0;
        int column = 0;
        qint64 row = 0;
        bool freshLine = false;
    };

private:
    // The text, the options and the page of the last layout, which the pages are laid out again with.
    QString source;
    CopyBookOptions::OptionValues options;
    RowGeometry geometry;
    // The text as laid out and, with readings or cards, each code unit's bracketed reading; with cards,
    // the teacher's words in braces after each.
    QString layoutText;
    QVector<QString> overrides;
    QVector<QString> teacherWords;
    // With each unit once, where each first stands.
    QHash<QString, int> firstPlaces;
    QVector<Cursor> pageStarts;
    qint64 placedCells = 0;
    int lastCellRow = -1;

    template<typename Visit> void walk(Cursor cursor, bool withReadings, Visit visit) const;
    template<typename Visit> void walkTrace(Cursor cursor, bool withReadings, Visit visit) const;
    template<typename Visit> void walkCopy(Cursor cursor, bool withReadings, Visit visit) const;
    // Whether brackets are readings (and, with the cards' option, braces words) rather than text.
    bool annotated() const;
    QString readingAt(int at, PinyinWords::Reader &reader) const;
    // The characters of a unit the layout places: the filter may drop some of a word's.
    QVarLengthArray<int, 8> placedCharacters(const QVarLengthArray<int, 8> &characters) const;
};
