#include "gridcell.h"

#include "copybookoptions.h"
#include "gridpen.h"

using namespace CopyBookOptions;

namespace {

// The inner square of a 回宫格 takes this share of the side, centred: the customary proportion, which
// leaves the inner square a little over a third of the area, where the body of a character sits.
constexpr double kHuiInnerShare = 0.6;

} // namespace

void GridCell::draw(QPainter *painter, double size, QColor color, bool firstInRow) const
{
    GridPen pen(painter, color, GridPen::Mode::PagePens);
    draw(pen, size, firstInRow, GridStyle::Tian);
}

void GridCell::draw(GridPen &pen, double size, bool firstInRow, GridStyle style) const
{
    // Squares of one row abut, so every left side but the first is the right side of the neighbour.
    if (firstInRow)
        pen.solid(QLineF(x, y, x, y + size));
    pen.solid(QLineF(x, y, x + size, y));
    pen.solid(QLineF(x + size, y, x + size, y + size));
    pen.solid(QLineF(x, y + size, x + size, y + size));

    switch (style) {
    case GridStyle::Square:
        break;
    case GridStyle::Hui: {
        const double margin = size * (1.0 - kHuiInnerShare) * 0.5;
        const double low = margin;
        const double high = size - margin;
        pen.solid(QLineF(x + low, y + low, x + high, y + low));
        pen.solid(QLineF(x + high, y + low, x + high, y + high));
        pen.solid(QLineF(x + low, y + high, x + high, y + high));
        pen.solid(QLineF(x + low, y + low, x + low, y + high));
        break;
    }
    case GridStyle::Nine:
        for (const double third : {size / 3.0, size * 2.0 / 3.0}) {
            pen.dotted(QLineF(x, y + third, x + size, y + third));
            pen.dotted(QLineF(x + third, y, x + third, y + size));
        }
        break;
    case GridStyle::Mi:
        pen.dotted(QLineF(x, y, x + size, y + size));
        pen.dotted(QLineF(x + size, y, x, y + size));
        Q_FALLTHROUGH();
    default:
        pen.dotted(QLineF(x, y + size * 0.5, x + size, y + size * 0.5));
        pen.dotted(QLineF(x + size * 0.5, y, x + size * 0.5, y + size));
        break;
    }
}
