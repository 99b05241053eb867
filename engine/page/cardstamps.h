#pragma once

#include "charactercards.h"

#include <QHash>
#include <QImage>
#include <QSizeF>
#include <QTransform>

class QPainter;

// Character cards for a scaled-down picture of a page, stamped as the glyphs are (see SubpixelStamps): a
// card drawn at the small size takes a millisecond of text and outlines, a copy of it a few microseconds.
// The stamps last while the cards' size, the scale and their style stay the same.
class CardStamps
{
public:
    void prepare(const QSizeF &cardSize, const QTransform &toDevice, const CharacterCards::Style &style);
    // The card at `area`, in page pixels, made first where no stamp of it is at hand.
    void draw(QPainter *painter, const QRectF &area, const CharacterCards::Card &card);

private:
    static constexpr int kSteps = 4;

    QSizeF size;
    QTransform toDevice;
    CharacterCards::Style style;
    QHash<QString, QImage> stamps;
};
