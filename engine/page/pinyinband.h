#pragma once

#include "gridcell.h"

#include <QFont>
#include <QPointF>
#include <QVector>

class GridPen;
class QPainter;
class QString;

// The four-line pinyin grid (拼音格) above a row of squares, and the syllables written in it. The band
// is divided into three equal spaces: a syllable's small letters fill the middle one, sitting on the
// third line, with ascenders, tone marks and descenders reaching into the outer spaces.
class PinyinBand
{
public:
    // The band's height as a share of the square's side.
    static constexpr double kHeightShare = 0.5;

    explicit PinyinBand(double height);

    // The lines above one row of squares: the top line and the vertical sides solid like the squares'
    // outline, the two inner lines dotted like their guides. The bottom line is the squares' top side.
    static void drawLines(GridPen &pen, const QVector<GridCell> &row, double side, double height);

    // A font with the tone-marked vowels, sized so that its x-height fills the middle space.
    QFont font() const { return syllableFont; }
    // The same letters at a pixel size, for readings written outside a band.
    static QFont letters(int pixels);
    // Centres the syllable over the square whose top-left corner is given; the painter's font and pen
    // must be set.
    void drawSyllable(QPainter *painter, const QPointF &square, double side, const QString &syllable) const;

private:
    // The share of the square's width a syllable may take.
    static constexpr double kWidestShare = 0.9;

    double height;
    QFont syllableFont;
};
