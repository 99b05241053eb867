#pragma once

#include "copybookoptions.h"

#include <QCoreApplication>
#include <QSize>

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
};
