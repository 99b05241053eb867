#include "strokestrip.h"

#include "gridcell.h"

#include <QPaintEngine>
#include <QPainter>
#include <cmath>

namespace {

// The default glyph's size over the default cell's, 1.2 cm in 1.5.
constexpr double kCharacterShare = 0.8;

// An outline on the unit square placed on `area`, each point on a whole pixel. A PDF writes every point
// in page pixels with six decimals, so whole pixels take a third of the bytes, and compress better; a
// 300-dpi pixel is below what a print shows.
QPainterPath onWholePixels(const QPainterPath &outline, const QRectF &area)
{
    const auto place = [&](const QPointF &point) {
        return QPointF(
            std::round(area.x() + point.x() * area.width()), std::round(area.y() + point.y() * area.height()));
    };
    QPainterPath placed;
    for (int i = 0; i < outline.elementCount(); ++i) {
        const QPainterPath::Element element = outline.elementAt(i);
        switch (element.type) {
        case QPainterPath::MoveToElement:
            placed.moveTo(place(element));
            break;
        case QPainterPath::LineToElement:
            placed.lineTo(place(element));
            break;
        case QPainterPath::CurveToElement:
            if (i + 2 < outline.elementCount()) {
                placed.cubicTo(place(element), place(outline.elementAt(i + 1)), place(outline.elementAt(i + 2)));
                i += 2;
            }
            break;
        case QPainterPath::CurveToDataElement:
            break;
        }
    }
    return placed;
}

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
    const QRectF area = strokeArea(frame);
    if (painter->paintEngine() && painter->paintEngine()->type() == QPaintEngine::Pdf) {
        for (int before = 0; before < stroke; ++before)
            painter->fillPath(onWholePixels(strokes.at(before), area), ink);
        painter->fillPath(onWholePixels(strokes.at(stroke), area), highlight);
        return;
    }
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(Qt::NoPen);
    painter->translate(area.topLeft());
    painter->scale(area.width(), area.height());
    for (int before = 0; before < stroke; ++before)
        painter->fillPath(strokes.at(before), ink);
    painter->fillPath(strokes.at(stroke), highlight);
    painter->restore();
}

} // namespace StrokeStrip
