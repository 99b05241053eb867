#pragma once

#include <QColor>
#include <QHash>
#include <QImage>
#include <QPainterPath>
#include <QTransform>
#include <QVector>

class QPainter;
class QRectF;

// Stroke-order frames for a scaled-down picture of a page, as GlyphStamps does for the glyphs: each
// frame is filled once into a small image at its size on the device, for each quarter-pixel offset it
// meets, and copied wherever it shows. The stamps last as long as the frame's side, the scale and the
// colours stay the same; the outlines, once read, as long as the stamps object.
class StrokeFrameStamps
{
public:
    void prepare(double side, const QTransform &toDevice, const QColor &ink, const QColor &highlight);
    void draw(QPainter *painter, const QRectF &frame, uint codePoint, int stroke);
    const QVector<QPainterPath> &strokesOf(uint codePoint);

private:
    static constexpr int kSteps = 4;

    const QImage &stampFor(uint codePoint, int stroke, int stepX, int stepY);

    double side = 0.0;
    QTransform toDevice;
    QColor ink;
    QColor highlight;
    QHash<quint64, QImage> stamps;
    QHash<uint, QVector<QPainterPath>> outlines;
};
