#pragma once

#include "copybookcell.h"

#include <QString>
#include <QVector>

// The text, the layout options and the cells they produce. The cells are derived state: every setter of
// the engine that touches a field here calls rebuildCells() before it returns.
struct CopyBookContent
{
    QVector<CopyBookCell> cells;
    QString text;
    int columns = 0;
    int blankLines = 0;
    double opacity = 0.5;
    int bookType = 0;
    int traceType = 1;
    bool commonChineseOnly = true;
    // With pinyin on, a reading in brackets after a character ("行[hang2]") is taken out of the text and
    // every cell carries its reading; off, the text is laid out exactly as typed.
    bool pinyin = false;

    void rebuildCells();
};
