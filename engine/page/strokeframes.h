#pragma once

#include "copybookoptions.h"

#include <QColor>
#include <QPainterPath>
#include <QPointF>
#include <QRectF>
#include <QVector>

class GridPen;
class QPainter;

// The stroke-order frames above a Trace row: squares of half the cell's side, from the row's left edge
// on, frame k holding the character's strokes 1 to k. A character with more strokes than a line of
// frames holds goes on in the next line.
namespace StrokeFrames {

// The side of a frame as a share of the square's side.
constexpr double kFrameShare = 0.5;

inline int framesPerLine(int columns)
{
    return columns * 2;
}

// The lines of frames `strokes` frames take; none for none.
int linesFor(int strokes, int framesPerLine);

// The frames of a character of `strokes` strokes, in page pixels, whose row's first square has its
// top-left corner at `square`; `above` is the room between the frames' top and the square (frames and
// pinyin band).
QVector<QRectF> frames(const QPointF &square, double cellSide, double above, int framesPerLine, int strokes);

// Where in a frame the character's 1024-unit square goes: inset as a glyph of the default size sits in
// its square, so the frames read like the row below them.
QRectF strokeArea(const QRectF &frame);

// The frames' squares in the page's grid style.
void drawSquares(GridPen &pen, const QVector<QRectF> &frames, int framesPerLine, CopyBookOptions::GridStyle gridStyle);

// Frame `stroke` (from 0): the strokes before it in `ink`, itself in `highlight`. The outlines are on the
// unit square (see StrokeOrder::strokes).
void drawFrame(QPainter *painter, const QRectF &frame, const QVector<QPainterPath> &strokes, int stroke,
    const QColor &ink, const QColor &highlight);

} // namespace StrokeFrames
