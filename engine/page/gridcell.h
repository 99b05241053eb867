#pragma once

#include "copybookoptions.h"

#include <QColor>

class GridPen;
class QPainter;

// Top-left corner of one grid square, in page pixels. The side is not stored: every square of a page
// has the same side, which the caller passes to draw().
struct GridCell
{
    double x = 0.0;
    double y = 0.0;

    // The plain square of the copybook: the outline and the dotted cross. Leaves the painter's pen set to
    // the dotted pen of the centre cross.
    void draw(QPainter *painter, double size, QColor color, bool firstInRow) const;
    // The square in one of the grid styles.
    void draw(GridPen &pen, double size, bool firstInRow, CopyBookOptions::GridStyle style) const;
};
