#pragma once

#include "copybook.h"
#include "optiontable.h"

#include <QVariant>

// What the engine holds for the option stored under `key`, or an invalid value for a key that is no option:
// the option's value, and for the font size the glyphs' pixel size, which is what the engine makes of it.
inline QVariant optionHeld(const CopyBook &book, const QString &key)
{
    const CopyBookOptions::OptionRow *row = CopyBookOptions::findOption(key);
    if (!row)
        return {};
    if (key == QLatin1String("FontSize"))
        return book.glyphFont().pixelSize();
    return CopyBookOptions::valueOf(book.options(), *row);
}
