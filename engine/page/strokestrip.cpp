#include "strokestrip.h"

#include "gridcell.h"

#include <QPainter>

namespace {

// The default glyph's size over the default cell's, 1.2 cm in 1.5.
constexpr double kCharacterShare = 0.8;

} // namespace

namespace StrokeStrip {

int linesFor(int strokes, int framesPerLine)
{
    if (strokes <= 0 || framesPerLine <= 0)
        return 0;
    return (strokes + framesPerLine - 1) / framesPerLine;
}

QVector<QRectF> frames(const QPointF &square, double cellSide, double above, int framesPerLine, int strokes)
{
    QVector<QRectF> result;
    if (framesPerLine <= 0)
        return result;
    const double side = cellSide * kFrameShare;
    const double top = square.y() - above;
    result.reserve(strokes);
    for (int frame = 0; frame < strokes; ++frame)
        result.append(
            QRectF(square.x() + (frame % framesPerLine) * side, top + (frame / framesPerLine) * side, side, side));
    return result;
}

QRectF strokeArea(const QRectF &frame)
{
    const double inset = frame.width() * (1.0 - kCharacterShare) * 0.5;
    return frame.adjusted(inset, inset, -inset, -inset);
}

void drawSquares(GridPen &pen, const QVector<QRectF> &frames, int framesPerLine, int gridStyle)
{
    for (int frame = 0; frame < frames.size(); ++frame) {
        const QRectF &square = frames.at(frame);
        GridCell {square.x(), square.y()}.draw(pen, square.width(), frame % framesPerLine == 0, gridStyle);
    }
}

void drawFrame(QPainter *painter, const QRectF &frame, const QVector<QPainterPath> &strokes, int stroke,
    const QColor &ink, const QColor &highlight)
{
    if (stroke < 0 || stroke >= strokes.size())
        return;
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(Qt::NoPen);
    const QRectF area = strokeArea(frame);
    painter->translate(area.topLeft());
    painter->scale(area.width(), area.height());
    for (int before = 0; before < stroke; ++before)
        painter->fillPath(strokes.at(before), ink);
    painter->fillPath(strokes.at(stroke), highlight);
    painter->restore();
}

} // namespace StrokeStrip
