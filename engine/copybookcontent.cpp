#include "copybookcontent.h"

#include "copybookoptions.h"

#include <QtGlobal>
#include <cmath>
#include <limits>

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

int fadedCopiesPerRow(int traceType, int columns)
{
    switch (traceType) {
    case CopyBookOptions::TraceAll:
        return columns - 1;
    case CopyBookOptions::TraceHalf:
        return static_cast<int>(std::ceil((columns - 1) * 0.5));
    default:
        return 0;
    }
}

void layoutTrace(const CopyBookContent &content, int blankLines, QVector<CopyBookCell> &cells)
{
    const int copies = fadedCopiesPerRow(content.traceType, content.columns);
    qint64 row = 0;
    for (const QChar ch : content.text) {
        if (!ch.isPrint() || ch.isSpace() || (content.commonChineseOnly && !isCommonChinese(ch)))
            continue;
        if (row > kLastRow)
            return;
        for (int i = 0; i <= copies; ++i)
            cells.append({i, static_cast<int>(row), ch, i == 0 ? 1.0 : content.opacity});
        row += 1 + blankLines;
    }
}

void layoutCopy(const CopyBookContent &content, int blankLines, QVector<CopyBookCell> &cells)
{
    int column = 0;
    qint64 row = 0;
    // Set after a line break or a wrap: a line break that follows one of them leaves a single empty row.
    bool freshLine = false;
    for (const QChar ch : content.text) {
        if (ch == QLatin1Char('\n')) {
            column = 0;
            row += freshLine ? 1 : 1 + blankLines;
            freshLine = true;
            continue;
        }
        if (content.commonChineseOnly && !isCommonChinese(ch))
            continue;
        if (row > kLastRow)
            return;
        cells.append({column, static_cast<int>(row), ch, content.opacity});
        freshLine = false;
        if (++column == content.columns) {
            column = 0;
            row += 1 + blankLines;
            freshLine = true;
        }
    }
}

} // namespace

void CopyBookContent::rebuildCells()
{
    cells.clear();
    if (columns < 1)
        return;
    const int effectiveBlankLines = qBound(0, blankLines, kLargestBlankLines);
    if (bookType == CopyBookOptions::TraceBook)
        layoutTrace(*this, effectiveBlankLines, cells);
    else
        layoutCopy(*this, effectiveBlankLines, cells);
}
