#include "gridcell.h"

#include <QLineF>
#include <QPainter>
#include <QPen>

namespace {

void drawLine(QPainter *painter, const QLineF &line)
{
    painter->drawLines(QVector<QLineF> {line});
}

} // namespace

void GridCell::draw(QPainter *painter, double size, QColor color, bool firstInRow) const
{
    painter->setPen(color);
    // Squares of one row abut, so every left side but the first is the right side of the neighbour.
    if (firstInRow)
        drawLine(painter, QLineF(x, y, x, y + size));
    drawLine(painter, QLineF(x, y, x + size, y));
    drawLine(painter, QLineF(x + size, y, x + size, y + size));
    drawLine(painter, QLineF(x, y + size, x + size, y + size));

    painter->setPen(QPen(QBrush(color, Qt::SolidPattern), 1.0, Qt::DotLine, Qt::SquareCap, Qt::BevelJoin));
    drawLine(painter, QLineF(x, y + size * 0.5, x + size, y + size * 0.5));
    drawLine(painter, QLineF(x + size * 0.5, y, x + size * 0.5, y + size));
}
