#pragma once

#include "copybookoptions.h"

#include <QCoreApplication>
#include <QFont>
#include <QRectF>
#include <QSize>
#include <QVector>

class QPainter;

// What a classroom sheet carries around its grid: a title and a line of fields for the pupil's name,
// class and date in the top margin, the page number in the bottom one. Everything stays inside the page
// margins, which the grid never enters, so the grid does not move whatever is switched on.
class PageFurniture
{
    Q_DECLARE_TR_FUNCTIONS(PageFurniture)

public:
    // In the text colour, made opaque.
    static void draw(QPainter *painter, const CopyBookOptions::OptionValues &sheet, const QSize &page, double margin,
        int pageIndex, int pageCount);
    // Where on the page draw() may leave ink for a sheet with these options, give or take a few pixels of a
    // glyph's overhang. A page drawn in strips draws the furniture only where a strip meets these: a new
    // piece of furniture must say here where it goes.
    static QVector<QRectF> reach(const CopyBookOptions::OptionValues &sheet, const QSize &page, double margin);
    // The sans the furniture and the cards write in, at a pixel size: a Chinese sans, not the glyph font:
    // once FreeType has drawn a face small, Qt draws that face's large glyphs a shade differently, and the
    // squares' glyphs must not depend on what else is on the page.
    static QFont textFont(double pixels);
};
