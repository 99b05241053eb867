#include "copybookcontent.h"

#include "copybookoptions.h"
#include "pinyin.h"

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

// The text to lay out and, with pinyin on, the reading of each of its code units.
struct Source
{
    QString text;
    QVector<QString> overrides;
    bool withReadings = false;

    QString readingAt(int i) const
    {
        if (!withReadings)
            return {};
        return overrides.at(i).isEmpty() ? Pinyin::readingOf(text.at(i)) : overrides.at(i);
    }
};

void layoutTrace(const CopyBookContent &content, const Source &source, int blankLines, QVector<CopyBookCell> &cells)
{
    const int copies = fadedCopiesPerRow(content.traceType, content.columns);
    qint64 row = 0;
    for (int at = 0; at < source.text.size(); ++at) {
        const QChar ch = source.text.at(at);
        if (!ch.isPrint() || ch.isSpace() || (content.commonChineseOnly && !isCommonChinese(ch)))
            continue;
        if (row > kLastRow)
            return;
        const QString reading = source.readingAt(at);
        for (int i = 0; i <= copies; ++i)
            cells.append({i, static_cast<int>(row), ch, i == 0 ? 1.0 : content.opacity, reading});
        row += 1 + blankLines;
    }
}

void layoutCopy(const CopyBookContent &content, const Source &source, int blankLines, QVector<CopyBookCell> &cells)
{
    int column = 0;
    qint64 row = 0;
    // Set after a line break or a wrap: a line break that follows one of them leaves a single empty row.
    bool freshLine = false;
    for (int at = 0; at < source.text.size(); ++at) {
        const QChar ch = source.text.at(at);
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
        cells.append({column, static_cast<int>(row), ch, content.opacity, source.readingAt(at)});
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
    Source source;
    if (pinyin) {
        Pinyin::AnnotatedText annotated = Pinyin::parseReadingOverrides(text);
        source = {annotated.text, annotated.readings, true};
    } else {
        source.text = text;
    }
    if (bookType == CopyBookOptions::TraceBook)
        layoutTrace(*this, source, effectiveBlankLines, cells);
    else
        layoutCopy(*this, source, effectiveBlankLines, cells);
}
