#include "strokeframestamps.h"

#include "strokeframes.h"
#include "strokeorder.h"

#include <QPainter>
#include <QtMath>

void StrokeFrameStamps::prepare(
    double newSide, const QTransform &newToDevice, const QColor &newInk, const QColor &newHighlight)
{
    if (newSide == side && newToDevice == toDevice && newInk == ink && newHighlight == highlight)
        return;
    side = newSide;
    toDevice = newToDevice;
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
    const QRectF device = toDevice.mapRect(frame);
    const int stepX = qFloor(device.x() * kSteps + 0.5);
    const int stepY = qFloor(device.y() * kSteps + 0.5);
    const QImage &stamp = stampFor(codePoint, stroke, stepX % kSteps, stepY % kSteps);
    painter->save();
    painter->resetTransform();
    painter->drawImage(QPoint(stepX / kSteps, stepY / kSteps), stamp);
    painter->restore();
}

const QImage &StrokeFrameStamps::stampFor(uint codePoint, int stroke, int stepX, int stepY)
{
    const quint64 key = quint64(codePoint) | quint64(stroke) << 21 | quint64(stepX) << 29 | quint64(stepY) << 32;
    auto found = stamps.constFind(key);
    if (found != stamps.constEnd())
        return *found;
    const QSizeF size = toDevice.mapRect(QRectF(0, 0, side, side)).size();
    QImage stamp(QSize(qCeil(size.width()) + 1, qCeil(size.height()) + 1), QImage::Format_ARGB32_Premultiplied);
    stamp.fill(Qt::transparent);
    QPainter painter(&stamp);
    painter.translate(double(stepX) / kSteps, double(stepY) / kSteps);
    painter.scale(toDevice.m11(), toDevice.m22());
    StrokeFrames::drawFrame(&painter, QRectF(0, 0, side, side), strokesOf(codePoint), stroke, ink, highlight);
    painter.end();
    return *stamps.insert(key, stamp);
}
