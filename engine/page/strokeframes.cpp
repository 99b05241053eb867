#include "strokeframes.h"

#include "gridcell.h"

#include <QPaintEngine>
#include <QPainter>
#include <cmath>

namespace {

// The default glyph's size over the default cell's, 1.2 cm in 1.5.
constexpr double kCharacterShare = 0.8;

// How far a curve's control points may stand off the chord for the curve to go as a straight line, in
// page pixels.
constexpr double kFlatCurve = 1.0;

double distanceFromLine(const QPointF &point, const QPointF &start, const QPointF &end)
{
    const QPointF along = end - start;
    const double length = std::hypot(along.x(), along.y());
    const QPointF off = point - start;
    if (length == 0)
        return std::hypot(off.x(), off.y());
    return std::abs(along.x() * off.y() - along.y() * off.x()) / length;
}

// An outline on the unit square placed on `area`, each point on a whole pixel and each curve flatter
// than a pixel a line. A PDF writes every point in page pixels with six decimals, so whole pixels
// and lines take a fraction of the bytes; a 300-dpi pixel is below what a print shows.
QPainterPath onWholePixels(const QPainterPath &outline, const QRectF &area)
{
    const auto place = [&](const QPointF &point) {
        return QPointF(
            std::round(area.x() + point.x() * area.width()), std::round(area.y() + point.y() * area.height()));
    };
    QPainterPath placed;
    placed.setFillRule(outline.fillRule());
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
                const QPointF start = placed.currentPosition();
                const QPointF first = place(element);
                const QPointF second = place(outline.elementAt(i + 1));
                const QPointF end = place(outline.elementAt(i + 2));
                if (distanceFromLine(first, start, end) <= kFlatCurve
                    && distanceFromLine(second, start, end) <= kFlatCurve)
                    placed.lineTo(end);
                else
                    placed.cubicTo(first, second, end);
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

namespace StrokeFrames {

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

void drawSquares(GridPen &pen, const QVector<QRectF> &frames, int framesPerLine, CopyBookOptions::GridStyle gridStyle)
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
    // The strokes written so far as one path, which fills their overlaps without seams and in one go.
    QPainterPath written;
    written.setFillRule(Qt::WindingFill);
    for (int before = 0; before < stroke; ++before)
        written.addPath(strokes.at(before));
    if (painter->paintEngine() && painter->paintEngine()->type() == QPaintEngine::Pdf) {
        if (stroke > 0)
            painter->fillPath(onWholePixels(written, area), ink);
        painter->fillPath(onWholePixels(strokes.at(stroke), area), highlight);
        return;
    }
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(Qt::NoPen);
    painter->translate(area.topLeft());
    painter->scale(area.width(), area.height());
    if (stroke > 0)
        painter->fillPath(written, ink);
    painter->fillPath(strokes.at(stroke), highlight);
    painter->restore();
}

} // namespace StrokeFrames
