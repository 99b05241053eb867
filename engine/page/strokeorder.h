#pragma once

#include <QPainterPath>
#include <QVector>

// The strokes of a character in the order they are written, as filled outlines. The outlines come from
// the table compiled into the program, inflated a chunk of characters at a time when one of them is
// first asked for, not at start-up; asking how many strokes a character has inflates nothing.
namespace StrokeOrder {

// 0 for a character without stroke data.
int strokeCount(uint codePoint);
// The outlines on the unit square, x to the right and y down, as a glyph sits in its square, each one
// closed contour, all of them clockwise; empty without data.
QVector<QPainterPath> strokes(uint codePoint);

} // namespace StrokeOrder
