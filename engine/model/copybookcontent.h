#pragma once

#include "copybookcell.h"
#include "copybookoptions.h"

#include <QHash>
#include <QString>
#include <QVarLengthArray>
#include <QVector>
#include <functional>

namespace PinyinWords {
class Reader;
}

// What the layout needs beyond the text and its options: where the pages are cut, and whether the cells
// carry their readings. The page a copybook is laid out for hands it over with every layout.
struct CellLayoutParameters
{
    // Rows per page of the geometry; without rows the layout has no pages to give cells for.
    int rowsPerPage = 0;
    // With readings, a reading in brackets after a character ("行[hang2]") is taken out of the text and
    // every cell carries its reading; without, the text is laid out exactly as typed.
    bool readings = false;
    // 一 and 不 with the tone of the character alone even in running text, as the national orthography
    // writes them; otherwise a Copy book prints them as schoolbooks do (一个 yí gè).
    bool plainTones = false;
    // Words kept whole: a Trace row of a word and its copies, a Copy book's rows broken between words.
    bool words = false;
    // Faded copies after the model in a Trace row, as many as fit at most; below 0 the trace type decides.
    int copies = -1;
    // The copies fade along the row, from the opacity to a quarter of it.
    bool fade = false;
    // A Trace book gives each character (or word) one row, at its first place in the text.
    bool unique = false;

    bool operator==(const CellLayoutParameters &other) const
    {
        return rowsPerPage == other.rowsPerPage && readings == other.readings && plainTones == other.plainTones
            && words == other.words && copies == other.copies && fade == other.fade && unique == other.unique;
    }
};

// The text, the layout options and the cells they produce, in reading order with non-decreasing rows.
// The cells are not held: a long text would take memory in proportion to the whole book for every page
// shown. rebuildCells() walks the layout once and remembers where each page starts, from which the cells
// of any page are laid out again on demand, exactly as the whole walk places them, so a change of a field
// must be followed by rebuildCells() before any page is asked for.
struct CopyBookContent
{
    QString text;
    int columns = 0;
    int blankLines = 0;
    double opacity = 0.5;
    int bookType = static_cast<int>(CopyBookOptions::BookType::Trace);
    int traceType = static_cast<int>(CopyBookOptions::TraceType::Half);
    bool commonChineseOnly = true;

    void rebuildCells(const CellLayoutParameters &parameters = {});

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
    // The parameters of the last layout, which the pages are laid out again with.
    CellLayoutParameters laidOut;
    // The text as laid out and, with readings, each code unit's bracketed reading.
    QString layoutText;
    QVector<QString> overrides;
    // With each unit once, where each first stands.
    QHash<QString, int> firstPlaces;
    QVector<Cursor> pageStarts;
    qint64 placedCells = 0;
    int lastCellRow = -1;

    template<typename Visit> void walk(Cursor cursor, bool withReadings, Visit visit) const;
    template<typename Visit> void walkTrace(Cursor cursor, bool withReadings, Visit visit) const;
    template<typename Visit> void walkCopy(Cursor cursor, bool withReadings, Visit visit) const;
    QString readingAt(int at, PinyinWords::Reader &reader) const;
    // The characters of a unit the layout places: the filter may drop some of a word's.
    QVarLengthArray<int, 8> placedCharacters(const QVarLengthArray<int, 8> &characters) const;
    int copiesPerRow(int unitsPerRow) const;
    double opacityOf(int instance, int copies) const;
};
