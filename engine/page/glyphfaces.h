#pragma once

#include <QFont>
#include <QSet>
#include <QString>
#include <QVector>

class QPainterPath;
class QRectF;
class QTransform;

// The fonts a page's glyphs come from: the chosen font, and the Kai the program starts with for the
// characters the chosen one lacks, which Qt would otherwise take from whatever font it falls back on, or
// draw as empty boxes. With `fit`, every glyph is moved to the centre of its square by its ink and
// shrunk, never grown, to stay inside the square's outline: a user's font may draw its glyphs off the
// centre of its em box, or beyond it.
struct GlyphFaces
{
    QFont chosen;
    // The family that answers for the chosen font: the same font description draws otherwise once a
    // font file of its family is added or removed.
    QString chosenDrawnBy;
    QFont fallback;
    // The characters drawn in the fallback.
    QSet<uint> fromFallback;
    bool fit = false;

    const QFont &fontFor(uint code) const { return fromFallback.contains(code) ? fallback : chosen; }
    bool operator==(const GlyphFaces &other) const;
    bool operator!=(const GlyphFaces &other) const { return !(*this == other); }

    // Where a glyph stands in its square, as an outline.
    QPainterPath outline(const QRectF &square, const QString &text, uint code) const;
    // What takes a glyph from where drawText centres it in the square to where it fits, given its ink
    // there; the identity for a glyph without ink.
    QTransform fitting(const QRectF &square, const QRectF &ink) const;
};

// The characters among `characters` that `font` itself has no glyph for, in their order; the fonts Qt
// would fall back on are not asked.
QVector<uint> charactersLacking(const QFont &font, const QVector<uint> &characters);
