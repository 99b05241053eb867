#include "gridpen.h"

#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <cmath>

namespace {

// Qt's dot pattern at width 1: one pixel on, two off.
constexpr double kDotCoverage = 1.0 / 3.0;

void drawLine(QPainter *painter, const QLineF &line)
{
    painter->drawLines(QVector<QLineF> {line});
}

} // namespace

GridPen::GridPen(QPainter *painter, QColor color, Mode mode) : painter(painter), color(color), mode(mode)
{
    dotColor = color;
    dotColor.setAlphaF(color.alphaF() * kDotCoverage);
}

void GridPen::solid(const QLineF &line)
{
    if (mode == Mode::ScaledFills)
        return fill(line, color);
    painter->setPen(color);
    drawLine(painter, line);
}

void GridPen::dotted(const QLineF &line)
{
    if (mode == Mode::ScaledFills)
        return fill(line, dotColor);
    painter->setPen(QPen(QBrush(color, Qt::SolidPattern), 1.0, Qt::DotLine, Qt::SquareCap, Qt::BevelJoin));
    drawLine(painter, line);
}

// The page pixels the 1-pixel pen would set: an upright or level line covers the pixels its ends fall in
// and all between; any other line, a band one pixel wide centred on it.
void GridPen::fill(const QLineF &line, const QColor &fillColor)
{
    if (line.x1() == line.x2() || line.y1() == line.y2()) {
        const QPointF low(std::floor(qMin(line.x1(), line.x2())), std::floor(qMin(line.y1(), line.y2())));
        const QPointF high(std::floor(qMax(line.x1(), line.x2())) + 1, std::floor(qMax(line.y1(), line.y2())) + 1);
        painter->fillRect(QRectF(low, high), fillColor);
        return;
    }
    const QPointF along = line.length() > 0 ? (line.p2() - line.p1()) / line.length() * 0.5 : QPointF(0.5, 0);
    const QPointF across(-along.y(), along.x());
    const QPointF a = line.p1() - along;
    const QPointF b = line.p2() + along;
    const QPolygonF band({a + across, b + across, b - across, a - across});
    QPainterPath path;
    path.addPolygon(band);
    painter->fillPath(path, fillColor);
}
