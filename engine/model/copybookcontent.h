#pragma once

#include "copybookcell.h"
#include "copybookoptions.h"

#include <QString>
#include <QVector>
#include <functional>

namespace PinyinWords {
class Reader;
}

// The text, the layout options and the cells they produce, in reading order with non-decreasing rows.
// The cells are not held: a long text would take memory in proportion to the whole book for every page
// shown. rebuildCells() walks the layout once and remembers where each page starts, from which the cells
// of any page are laid out again on demand, exactly as the whole walk places them. Every setter of the
// engine that touches a field here calls rebuildCells() before it returns.
struct CopyBookContent
{
    QString text;
    int columns = 0;
    int blankLines = CopyBookOptions::kDefaultBlankLines;
    double opacity = static_cast<double>(CopyBookOptions::kDefaultOpacity);
    int bookType = CopyBookOptions::kDefaultBookType;
    int traceType = CopyBookOptions::kDefaultTraceType;
    bool commonChineseOnly = CopyBookOptions::kDefaultCommonChineseOnly;
    // With pinyin on, a reading in brackets after a character ("行[hang2]") is taken out of the text and
    // every cell carries its reading; off, the text is laid out exactly as typed.
    bool pinyin = false;
    // 一 and 不 with the tone of the character alone even in running text, as the national orthography
    // writes them; off, a Copy book prints them as schoolbooks do (一个 yí gè).
    bool plainTones = false;
    // Rows per page of the geometry, written with `columns`: where the walk cuts the cells into pages.
    int rowsPerPage = 0;

    void rebuildCells();

    qint64 cellCount() const { return placedCells; }
    // The row of the last cell, or -1 when there is none.
    int lastRow() const { return lastCellRow; }
    // One page for an empty layout or a geometry without rows.
    int pageCount() const;
    QVector<CopyBookCell> cellsOfPage(int page) const;
    // Every cell, one after the other, without holding them; `visit` returns false to stop.
    void forEachCell(const std::function<bool(const CopyBookCell &)> &visit) const;
    QVector<CopyBookCell> allCells() const;

    // Where the walk stands: the next code unit, the copy of its row (Trace books), the column and row
    // (Copy books) and whether a line break would leave a single empty row.
    struct Cursor
    {
        int at = 0;
        int copy = 0;
        int column = 0;
        qint64 row = 0;
        bool freshLine = false;
    };

private:
    // The text as laid out and, with pinyin on, each code unit's bracketed reading.
    QString layoutText;
    QVector<QString> overrides;
    QVector<Cursor> pageStarts;
    qint64 placedCells = 0;
    int lastCellRow = -1;

    template<typename Visit> void walk(Cursor cursor, bool withReadings, Visit visit) const;
    QString readingAt(int at, PinyinWords::Reader &reader) const;
};
