#include "glyphfaces.h"

#include "glyphstamps.h"

#include <QPainterPath>
#include <QRawFont>
#include <QTransform>

namespace {

// What a fitted glyph keeps clear of the square's outline on each side, as a share of its side: enough
// for the outline's width and to read as inside it.
constexpr double kFitMarginShare = 0.05;

} // namespace

bool GlyphFaces::operator==(const GlyphFaces &other) const
{
    return chosen == other.chosen && chosenDrawnBy == other.chosenDrawnBy && fallback == other.fallback
        && fromFallback == other.fromFallback && fit == other.fit;
}

QPainterPath GlyphFaces::outline(const QRectF &square, const QString &text, uint code) const
{
    const QPainterPath placed = glyphOutline(fontFor(code), square, text);
    return fit ? fitting(square, placed.boundingRect()).map(placed) : placed;
}

QTransform GlyphFaces::fitting(const QRectF &square, const QRectF &ink) const
{
    if (ink.isEmpty())
        return {};
    const double room = square.width() * (1 - 2 * kFitMarginShare);
    const double scale = qMin(1.0, room / qMax(ink.width(), ink.height()));
    return QTransform::fromTranslate(-ink.center().x(), -ink.center().y()) * QTransform::fromScale(scale, scale)
        * QTransform::fromTranslate(square.center().x(), square.center().y());
}

QVector<uint> charactersLacking(const QFont &font, const QVector<uint> &characters)
{
    QVector<uint> lacking;
    if (characters.isEmpty())
        return lacking;
    const QRawFont raw = QRawFont::fromFont(font);
    for (const uint code : characters) {
        if (!raw.supportsCharacter(code))
            lacking.append(code);
    }
    return lacking;
}
