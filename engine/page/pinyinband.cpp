#include "pinyinband.h"

#include "gridpen.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPainter>

namespace {

// Andika, SIL's font for those learning to read, draws a and g single-storey as pupils learn to write
// them (teachers mark the two-storey a wrong), and has every tone-marked vowel, ü with its four marks
// included. DejaVu Sans has the marks too, with the printed a and g, where Andika is not installed.
QString syllableFamily()
{
    static const QString family = QFontDatabase().families().contains(QStringLiteral("Andika"))
        ? QStringLiteral("Andika")
        : QStringLiteral("DejaVu Sans");
    return family;
}

} // namespace

QFont PinyinBand::letters(int pixels)
{
    QFont font(syllableFamily());
    font.setPixelSize(qMax(1, pixels));
    return font;
}

PinyinBand::PinyinBand(double height) : height(height), syllableFont(syllableFamily())
{
    const double reference = 100.0;
    syllableFont.setPixelSize(static_cast<int>(reference));
    const QFontMetricsF metrics(syllableFont);
    // Windows' font engine can report no x-height (DejaVu Sans under Wine): then every syllable came out
    // a pixel high. The letter's own outline tells it.
    const double xHeight
        = metrics.xHeight() > 0 ? metrics.xHeight() : metrics.tightBoundingRect(QStringLiteral("x")).height();
    const double xHeightShare = xHeight / reference;
    syllableFont.setPixelSize(qMax(1, qRound(height / 3.0 / xHeightShare)));
}

void PinyinBand::drawLines(GridPen &pen, const QVector<GridCell> &row, double side, double height)
{
    if (row.isEmpty())
        return;
    const double left = row.first().x;
    const double right = row.last().x + side;
    const double bottom = row.first().y;
    const double top = bottom - height;
    pen.solid(QLineF(left, top, right, top));
    pen.dotted(QLineF(left, top + height / 3.0, right, top + height / 3.0));
    pen.dotted(QLineF(left, top + height * 2.0 / 3.0, right, top + height * 2.0 / 3.0));
    pen.solid(QLineF(left, top, left, bottom));
    for (const GridCell &square : row)
        pen.solid(QLineF(square.x + side, top, square.x + side, bottom));
}

void PinyinBand::drawSyllable(QPainter *painter, const QPointF &square, double side, const QString &syllable) const
{
    const double baseline = square.y() - height / 3.0;
    const double advance = QFontMetricsF(syllableFont).horizontalAdvance(syllable);
    // A long syllable (zhuàng, chuáng) is narrowed to its square rather than run into the next one.
    const double room = side * kWidestShare;
    if (advance <= room) {
        painter->drawText(QPointF(square.x() + (side - advance) * 0.5, baseline), syllable);
        return;
    }
    painter->save();
    painter->translate(square.x() + (side - room) * 0.5, baseline);
    painter->scale(room / advance, 1.0);
    painter->drawText(QPointF(0, 0), syllable);
    painter->restore();
}
