#pragma once

#include <QPainterPath>
#include <QVector>

// The strokes of a character in the order they are written, as filled outlines. The outlines come from
// the table compiled into the program; they are inflated on the first call that asks for an outline,
// not at start-up, and asking how many strokes a character has inflates nothing.
namespace StrokeOrder {

// 0 for a character without stroke data.
int strokeCount(uint codePoint);
// The outlines on the unit square, x to the right and y down, as a glyph sits in its square; empty
// without data.
QVector<QPainterPath> strokes(uint codePoint);

} // namespace StrokeOrder
