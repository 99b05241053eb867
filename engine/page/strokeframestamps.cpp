#include "strokeframestamps.h"

#include "strokeframes.h"
#include "strokeorder.h"

#include <QPainter>
#include <QtMath>

void StrokeFrameStamps::prepare(
    double newSide, const QTransform &newToDevice, const QColor &newInk, const QColor &newHighlight)
{
    if (!stamps.setGeometry(newSide, newToDevice) && newInk == ink && newHighlight == highlight)
        return;
    ink = newInk;
    highlight = newHighlight;
    stamps.clear();
}

const QVector<QPainterPath> &StrokeFrameStamps::strokesOf(uint codePoint)
{
    auto found = outlines.constFind(codePoint);
    if (found == outlines.constEnd())
        found = outlines.insert(codePoint, StrokeOrder::strokes(codePoint));
    return *found;
}

void StrokeFrameStamps::draw(QPainter *painter, const QRectF &frame, uint codePoint, int stroke)
{
    stamps.draw(painter, frame, quint64(codePoint) | quint64(stroke) << 21, painter->opacity(), [&](QPainter *stamp) {
        const QRectF own(0, 0, stamps.squareSide(), stamps.squareSide());
        StrokeFrames::drawFrame(stamp, own, strokesOf(codePoint), stroke, ink, highlight);
    });
}
