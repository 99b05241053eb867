#include "fourlines.h"

#include "pagegeometry.h"
#include "pinyinband.h"
#include "tracerow.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QStringList>
#include <algorithm>

using namespace CopyBookOptions;

namespace {

// Between two staves, half a stave: room for the descenders above and the ascenders below to stay
// apart.
constexpr double kGapShare = 0.5;
// The writing starts and ends a quarter of a stave inside the margins.
constexpr double kIndentShare = 0.25;

// A line of the text cut into what fits a stave of `width`: between words, and within a word only where
// it is wider than the stave by itself.
QVector<QVector<FourLines::Word>> fitted(const QString &line, const QFontMetricsF &metrics, double left, double width)
{
    QVector<QVector<FourLines::Word>> staves(1);
    const double space = metrics.horizontalAdvance(QLatin1Char(' '));
    double x = 0.0;
    const auto place = [&](const QString &word) {
        const double advance = metrics.horizontalAdvance(word);
        if (x > 0 && x + advance > width) {
            staves.append(QVector<FourLines::Word>());
            x = 0.0;
        }
        // A single letter wider than the stave by itself (a huge square on small paper) cannot be broken:
        // it is drawn narrowed to the stave's width rather than across the margin.
        const double shown = std::min(advance, width);
        staves.last().append({word, left + x, shown});
        x += shown + space;
    };
    for (const QString &word : line.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (metrics.horizontalAdvance(word) <= width) {
            place(word);
            continue;
        }
        QString piece;
        for (const QChar ch : word) {
            if (!piece.isEmpty() && metrics.horizontalAdvance(piece + ch) > width) {
                place(piece);
                piece.clear();
            }
            piece += ch;
        }
        place(piece);
    }
    return staves;
}

} // namespace

FourLines FourLines::layOut(const QString &text, const OptionValues &options, const QSize &page, int resolution)
{
    using namespace PageGeometry;
    FourLines lines;
    const double margin = cmToPixels(kMarginCm, resolution);
    lines.height = cmToPixels(options.cellSize, resolution);
    if (!(lines.height > 0))
        return lines;
    const double gap = lines.height * kGapShare;
    const double available = page.height() - 2 * margin;
    const int staves = qMax(0, static_cast<int>((available + gap) / (lines.height + gap)));
    double top = margin + (available - staves * lines.height - (staves - 1) * gap) * 0.5;
    for (int stave = 0; stave < staves; ++stave, top += lines.height + gap)
        lines.staveTops.append(top);
    lines.leftEnd = margin + lines.height * kIndentShare;
    lines.rightEnd = page.width() - margin - lines.height * kIndentShare;
    lines.letters = PinyinBand(lines.height).font();
    if (staves == 0 || lines.rightEnd <= lines.leftEnd)
        return lines;

    const QFontMetricsF metrics(lines.letters);
    const bool trace = options.isTraceBook();
    // A line's copies go down the page, not along a row: room for as many as asked, and for the trace
    // types, the staves of the model and two copies.
    const int copies = trace ? TraceRow::copies(options, qMax(3, options.copies + 1)) : 0;
    const int blank = TraceRow::blankRows(options);
    qint64 stave = 0;
    for (const QString &line : text.split(QLatin1Char('\n'))) {
        const QString clean = line.simplified();
        if (clean.isEmpty()) {
            // An empty line keeps a stave in a Copy book; a Trace book has nothing to trace on it.
            stave += trace ? 0 : 1;
            continue;
        }
        const QVector<QVector<Word>> parts = fitted(clean, metrics, lines.leftEnd, lines.rightEnd - lines.leftEnd);
        for (int copy = 0; copy <= copies; ++copy) {
            for (const QVector<Word> &words : parts)
                lines.written.append(
                    {stave++, trace ? TraceRow::opacity(options, copy, copies) : options.opacity, words});
        }
        stave += blank;
    }
    return lines;
}

int FourLines::pageCount() const
{
    if (written.isEmpty() || staveTops.isEmpty())
        return 1;
    return int(written.last().stave / staveTops.size()) + 1;
}

void FourLines::drawPage(
    QPainter *painter, int page, GridPen::Mode mode, const QColor &gridColor, const QColor &textColor) const
{
    GridPen pen(painter, gridColor, mode);
    for (const double top : staveTops) {
        pen.solid(QLineF(leftEnd - height * kIndentShare, top, rightEnd + height * kIndentShare, top));
        for (const double third : {1.0 / 3.0, 2.0 / 3.0})
            pen.dotted(QLineF(leftEnd - height * kIndentShare, top + height * third, rightEnd + height * kIndentShare,
                top + height * third));
        pen.solid(
            QLineF(leftEnd - height * kIndentShare, top + height, rightEnd + height * kIndentShare, top + height));
    }
    const int perPage = staveTops.size();
    if (perPage == 0)
        return;
    painter->setFont(letters);
    const QFontMetricsF metrics(letters);
    // The lines stand in the order of their staves: the page's are the run from its first stave on.
    const auto first = std::lower_bound(written.cbegin(), written.cend(), qint64(page) * perPage,
        [](const Line &line, qint64 stave) { return line.stave < stave; });
    for (auto line = first; line != written.cend() && line->stave / perPage == page; ++line) {
        QColor ink = textColor;
        ink.setAlphaF(qBound(0.0, line->opacity, 1.0));
        painter->setPen(ink);
        // The letters sit on the third line.
        const double baseline = staveTops.at(int(line->stave % perPage)) + height * 2.0 / 3.0;
        for (const Word &word : line->words) {
            const double advance = metrics.horizontalAdvance(word.text);
            if (advance <= word.width) {
                painter->drawText(QPointF(word.x, baseline), word.text);
                continue;
            }
            painter->save();
            painter->translate(word.x, baseline);
            painter->scale(word.width / advance, 1.0);
            painter->drawText(QPointF(0, 0), word.text);
            painter->restore();
        }
    }
}
