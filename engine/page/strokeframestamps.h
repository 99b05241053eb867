#pragma once

#include "subpixelstamps.h"

#include <QColor>
#include <QHash>
#include <QImage>
#include <QPainterPath>
#include <QTransform>
#include <QVector>

class QPainter;
class QRectF;

// Stroke-order frames for a scaled-down picture of a page, stamped as the glyphs are (see
// SubpixelStamps). The stamps last as long as the frame's side, the scale and the
// colours stay the same; the outlines, once read, as long as the stamps object.
class StrokeFrameStamps
{
public:
    void prepare(double side, const QTransform &toDevice, const QColor &ink, const QColor &highlight);
    void draw(QPainter *painter, const QRectF &frame, uint codePoint, int stroke);
    const QVector<QPainterPath> &strokesOf(uint codePoint);

private:
    QColor ink;
    QColor highlight;
    SubpixelStamps stamps;
    QHash<uint, QVector<QPainterPath>> outlines;
};
