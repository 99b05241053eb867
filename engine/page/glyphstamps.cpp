#include "glyphstamps.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>

QPointF glyphBaseline(const QFont &font, const QRectF &square, const QString &text)
{
    const QFontMetricsF metrics(font);
    return {square.x() + (square.width() - metrics.horizontalAdvance(text)) * 0.5,
        square.y() + (square.height() - metrics.height()) * 0.5 + metrics.ascent()};
}

QPainterPath glyphOutline(const QFont &font, const QRectF &square, const QString &text)
{
    QPainterPath path;
    path.addText(glyphBaseline(font, square, text), font, text);
    return path;
}

void strokeGlyph(QPainter *painter, const QPainterPath &outline, const QColor &color, double width)
{
    painter->strokePath(outline, QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
}

void GlyphStamps::prepare(
    const GlyphFaces &newFaces, double newSide, const QTransform &newToDevice, const QColor &newColor, double newStroke)
{
    QColor opaque = newColor;
    opaque.setAlpha(255);
    if (!stamps.setGeometry(newSide, newToDevice) && newFaces == faces && opaque == color && newStroke == hollowStroke)
        return;
    faces = newFaces;
    color = opaque;
    hollowStroke = newStroke;
    stamps.clear();
}

void GlyphStamps::draw(QPainter *painter, const QRectF &square, QChar ch, bool hollow, double opacity)
{
    stamps.draw(painter, square, quint64(ch.unicode()) | (hollow ? 1ull << 16 : 0), opacity, [&](QPainter *stamp) {
        const QRectF own(0, 0, stamps.squareSide(), stamps.squareSide());
        stamp->setRenderHint(QPainter::Antialiasing);
        // Clipped to the square, as drawText clips a glyph too large for it.
        stamp->setClipRect(own);
        const QPainterPath outline = faces.outline(own, QString(ch), ch.unicode());
        if (hollow)
            strokeGlyph(stamp, outline, color, hollowStroke);
        else
            stamp->fillPath(outline, color);
    });
}
