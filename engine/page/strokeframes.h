#pragma once

#include "copybookoptions.h"

#include <QColor>
#include <QPainterPath>
#include <QPointF>
#include <QRectF>
#include <QVector>

class GridPen;
class QPainter;

// The stroke-order frames above a Trace row: squares from the row's left edge on, frame k holding the
// character's strokes 1 to k. Every row has the same lines of frames above it, so that the rows of a
// page stay alike; a character takes as many of them as it needs at the usual side (half the square's),
// and one of more strokes than they hold at that side takes smaller frames rather than making every row
// of the book taller.
namespace StrokeFrames {

// The usual side of a frame as a share of the square's side, and the least side in centimetres a frame
// shrinks to before the rows take another line of frames: a quarter of the usual square's, below which
// the strokes are hard to tell apart on paper.
constexpr double kFrameShare = 0.5;
constexpr double kSmallestFrameCm = 0.375;

// With cards, a strip under each line of frames names the strokes above it, this share of a frame's side.
constexpr double kNameShare = 0.4;

// The lines of frames above each row and their height, as a share of the square's side, with or without
// the strokes' names under them.
struct Lines
{
    int count = 0;
    double share = kFrameShare;
    bool named = false;

    // A line's height, its names' strip included, as a share of the square's side.
    double pitch() const { return named ? share * (1.0 + kNameShare) : share; }
};

// The lines above every row of a page whose most complex character has `strokes` strokes, for rows of
// `columns` squares of side `cellSize`, a pinyin band of `band` and `pageHeight` between the margins, all
// in centimetres. The frames keep their usual side where smaller ones would fit no more rows on a page;
// otherwise they shrink, at most to the smallest side, to save lines; and the lines shrink to leave room
// for one row where the usual ones leave none. No lines for no strokes or no columns; lines with no room
// for a row when even the smallest frames leave none.
Lines linesAbove(int strokes, int columns, double cellSize, double band, double pageHeight, bool named = false);

// The frames of a character of `strokes` strokes, in page pixels, from `topLeft` on across `rowWidth`,
// in at most `lines` lines of `lineHeight`: squares of the line's height where they fit, smaller where
// the strokes would not fit the lines otherwise; `named`, each line is followed by its names' strip.
QVector<QRectF> frames(
    const QPointF &topLeft, double rowWidth, int lines, double lineHeight, int strokes, bool named = false);

// Where in a frame the character's 1024-unit square goes: inset as a glyph of the default size sits in
// its square, so the frames read like the row below them.
QRectF strokeArea(const QRectF &frame);

// The frames' squares in the page's grid style.
void drawSquares(GridPen &pen, const QVector<QRectF> &frames, CopyBookOptions::GridStyle gridStyle);

// Frame `stroke` (from 0): the strokes before it in `ink`, itself in `highlight`. The outlines are on the
// unit square (see StrokeOrder::strokes).
void drawFrame(QPainter *painter, const QRectF &frame, const QVector<QPainterPath> &strokes, int stroke,
    const QColor &ink, const QColor &highlight);

} // namespace StrokeFrames
