#include "pinyinband.h"

#include "gridpen.h"

#include <QFontMetricsF>
#include <QPainter>

namespace {

// DejaVu Sans has every tone-marked vowel, ü with its four marks included.
const QString kSyllableFamily = QStringLiteral("DejaVu Sans");

} // namespace

PinyinBand::PinyinBand(double height) : height(height), syllableFont(kSyllableFamily)
{
    const double reference = 100.0;
    syllableFont.setPixelSize(static_cast<int>(reference));
    const double xHeightShare = QFontMetricsF(syllableFont).xHeight() / reference;
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
    const QFontMetricsF metrics(syllableFont);
    const double baseline = square.y() - height / 3.0;
    const double x = square.x() + (side - metrics.horizontalAdvance(syllable)) * 0.5;
    painter->drawText(QPointF(x, baseline), syllable);
}
