#pragma once

#include <QColor>
#include <QLineF>

class QPainter;

// Draws the lines of the grid in one of two ways. On a page (an image at print resolution, or a PDF)
// every line is a 1-pixel pen line, the outline solid and the guides dotted. Scaled down into a preview,
// those pens would come out too dark and the dots would show as a pattern; there each line becomes an
// antialiased 1-page-pixel-wide fill that fades with the scale as a smooth-scaled page does, the dotted
// ones at the strength of the dot pattern's coverage.
class GridPen
{
public:
    enum class Mode { PagePens, ScaledFills };

    GridPen(QPainter *painter, QColor color, Mode mode);

    void solid(const QLineF &line);
    void dotted(const QLineF &line);

private:
    void fill(const QLineF &line, const QColor &color);

    QPainter *painter;
    QColor color;
    QColor dotColor;
    Mode mode;
};
