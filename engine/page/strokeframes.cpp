#include "strokeframes.h"

#include "gridcell.h"
#include "pagegeometry.h"

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

namespace {

int linesFor(int strokes, int perLine)
{
    return (strokes + perLine - 1) / perLine;
}

int rowsFitting(double pageHeight, double rowHeight)
{
    return static_cast<int>((pageHeight + PageGeometry::kRowGapCm) / (rowHeight + PageGeometry::kRowGapCm));
}

} // namespace

Lines linesAbove(int strokes, int columns, double cellSize, double band, double pageHeight, bool named)
{
    if (strokes <= 0 || columns <= 0)
        return {0, kFrameShare, named};
    const auto pitch = [named](double share) { return Lines {0, share, named}.pitch(); };
    const double usual = cellSize * kFrameShare;
    const double smallest = qMin(usual, kSmallestFrameCm);
    const int usualLines = linesFor(strokes, static_cast<int>(columns / kFrameShare));
    const int fewestLines = linesFor(strokes, qMax(1, static_cast<int>(columns * cellSize / smallest)));
    const auto rows = [&](int lines, double share) {
        return rowsFitting(pageHeight, cellSize + band + lines * cellSize * pitch(share));
    };
    if (rows(usualLines, kFrameShare) > 0 && rows(usualLines, kFrameShare) == rows(fewestLines, kFrameShare))
        return {usualLines, kFrameShare, named};
    if (rows(fewestLines, kFrameShare) > 0)
        return {fewestLines, kFrameShare, named};
    // A hundredth of a millimetre short of the whole height, which the row count's rounding would miss.
    const double squeezed = (pageHeight - cellSize - band - 0.001) / fewestLines / (pitch(1.0));
    return {fewestLines, squeezed >= smallest ? squeezed / cellSize : kFrameShare, named};
}

QVector<QRectF> frames(const QPointF &topLeft, double rowWidth, int lines, double lineHeight, int strokes, bool named)
{
    QVector<QRectF> result;
    if (lines <= 0 || strokes <= 0 || rowWidth <= 0)
        return result;
    // As many frames to a line as the strokes need to fit the lines, no larger than a line is high.
    const double side = qMin(lineHeight, rowWidth / linesFor(strokes, lines));
    // A hair over the width, which the frames' sides summed in floating point may come to.
    const int perLine = qMax(1, static_cast<int>(rowWidth / side + 1e-6));
    const double pitch = named ? side * (1.0 + kNameShare) : side;
    result.reserve(strokes);
    for (int frame = 0; frame < strokes; ++frame)
        result.append(
            QRectF(topLeft.x() + (frame % perLine) * side, topLeft.y() + (frame / perLine) * pitch, side, side));
    return result;
}

QRectF strokeArea(const QRectF &frame)
{
    const double inset = frame.width() * (1.0 - kCharacterShare) * 0.5;
    return frame.adjusted(inset, inset, -inset, -inset);
}

void drawSquares(GridPen &pen, const QVector<QRectF> &frames, CopyBookOptions::GridStyle gridStyle)
{
    // Frames of a line abut, so every left side but the line's first is the right side of the one before.
    for (int frame = 0; frame < frames.size(); ++frame) {
        const QRectF &square = frames.at(frame);
        const bool firstInLine = frame == 0 || frames.at(frame - 1).y() != square.y();
        GridCell {square.x(), square.y()}.draw(pen, square.width(), firstInLine, gridStyle);
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
