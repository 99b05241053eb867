#include "glyphstamps.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>

QPainterPath glyphOutline(const QFont &font, const QRectF &square, const QString &text)
{
    const QFontMetricsF metrics(font);
    const QPointF baseline(square.x() + (square.width() - metrics.horizontalAdvance(text)) * 0.5,
        square.y() + (square.height() - metrics.height()) * 0.5 + metrics.ascent());
    QPainterPath path;
    path.addText(baseline, font, text);
    return path;
}

void strokeGlyph(QPainter *painter, const QPainterPath &outline, const QColor &color, double width)
{
    painter->strokePath(outline, QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
}

void GlyphStamps::prepare(
    const QFont &newFont, double newSide, const QTransform &newToDevice, const QColor &newColor, double newStroke)
{
    QColor opaque = newColor;
    opaque.setAlpha(255);
    if (newFont == font && newSide == side && newToDevice == toDevice && opaque == color && newStroke == hollowStroke)
        return;
    font = newFont;
    side = newSide;
    toDevice = newToDevice;
    color = opaque;
    hollowStroke = newStroke;
    stamps.clear();
}

void GlyphStamps::draw(QPainter *painter, const QRectF &square, QChar ch, bool hollow, double opacity)
{
    const QRectF device = toDevice.mapRect(square);
    const int stepX = qFloor(device.x() * kSteps + 0.5);
    const int stepY = qFloor(device.y() * kSteps + 0.5);
    const QImage &stamp = stampFor(ch, hollow, stepX % kSteps, stepY % kSteps);
    painter->save();
    painter->resetTransform();
    painter->setOpacity(opacity);
    painter->drawImage(QPoint(stepX / kSteps, stepY / kSteps), stamp);
    painter->restore();
}

const QImage &GlyphStamps::stampFor(QChar ch, bool hollow, int stepX, int stepY)
{
    const quint64 key = quint64(ch.unicode()) | (hollow ? 1ull << 16 : 0) | quint64(stepX) << 20 | quint64(stepY) << 28;
    auto found = stamps.constFind(key);
    if (found != stamps.constEnd())
        return *found;
    const QSizeF size = toDevice.mapRect(QRectF(0, 0, side, side)).size();
    QImage stamp(QSize(qCeil(size.width()) + 1, qCeil(size.height()) + 1), QImage::Format_ARGB32_Premultiplied);
    stamp.fill(Qt::transparent);
    QPainter painter(&stamp);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(double(stepX) / kSteps, double(stepY) / kSteps);
    painter.scale(toDevice.m11(), toDevice.m22());
    // Clipped to the square, as drawText clips a glyph too large for it.
    painter.setClipRect(QRectF(0, 0, side, side));
    const QPainterPath outline = glyphOutline(font, QRectF(0, 0, side, side), QString(ch));
    if (hollow)
        strokeGlyph(&painter, outline, color, hollowStroke);
    else
        painter.fillPath(outline, color);
    painter.end();
    return *stamps.insert(key, stamp);
}
