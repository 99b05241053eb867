#pragma once

#include "cardstamps.h"
#include "glyphfaces.h"
#include "strokeframestamps.h"
#include "subpixelstamps.h"

#include <QColor>
#include <QFont>
#include <QHash>
#include <QImage>
#include <QPointF>
#include <QTransform>

class QPainter;
class QPainterPath;
class QRectF;

// Where drawText puts a glyph centred in its square, as an outline: the advance centred across the
// square, the line (ascent plus descent) centred down it; and the baseline's start there.
QPainterPath glyphOutline(const QFont &font, const QRectF &square, const QString &text);
QPointF glyphBaseline(const QFont &font, const QRectF &square, const QString &text);
void strokeGlyph(QPainter *painter, const QPainterPath &outline, const QColor &color, double width);

// Glyphs for a scaled-down picture of a page. Drawn as text at the small size, a glyph comes out hinted
// and unlike the same glyph smooth-scaled from the page; filled as an outline it matches, but outline
// fills are slow. So each glyph is stamped (see SubpixelStamps) into every square holding it, at the
// cell's opacity. The stamps last as long as the fonts, the square, the scale and the colour stay the same.
class GlyphStamps
{
public:
    void prepare(
        const GlyphFaces &faces, double side, const QTransform &toDevice, const QColor &color, double hollowStroke);
    void draw(QPainter *painter, const QRectF &square, QChar ch, bool hollow, double opacity);
    // The stroke-order frames of the same picture, kept alongside.
    StrokeFrameStamps &strokeFrames() { return frames; }
    // And its character cards.
    CardStamps &cards() { return cardStamps; }

private:
    GlyphFaces faces;
    QColor color;
    double hollowStroke = 0.0;
    SubpixelStamps stamps;
    StrokeFrameStamps frames;
    CardStamps cardStamps;
};
