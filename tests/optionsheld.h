#pragma once

#include "copybook.h"

#include <QMap>
#include <QVariant>

// What the engine holds for the option stored under `key`, or an invalid value for a key it does not hold.
inline QVariant optionHeld(const CopyBook &book, const QString &key)
{
    const CopyBookContent &content = book.contentModel();
    const CopyBookOptions::SheetOptions &sheet = book.sheetOptions();
    const QMap<QString, QVariant> values {
        {"BookType", content.bookType},
        {"TraceType", content.traceType},
        {"CellSize", book.cellSizeCm()},
        {"FontName", book.glyphFont().family()},
        {"FontSize", book.glyphFont().pixelSize()},
        {"Opacity", content.opacity},
        {"BlankLines", content.blankLines},
        {"CommonChineseOnly", content.commonChineseOnly},
        {"GridColor", book.gridColor()},
        {"TextColor", book.textColor()},
        {"Sheet/GridStyle", sheet.gridStyle},
        {"Sheet/TraceStyle", sheet.traceStyle},
        {"Sheet/Paper", sheet.paper},
        {"Sheet/Landscape", sheet.landscape},
        {"Sheet/Title", sheet.title},
        {"Sheet/NameFields", sheet.nameFields},
        {"Sheet/PageNumbers", sheet.pageNumbers},
        {"Sheet/Pinyin", sheet.pinyin},
        {"Sheet/PinyinOnly", sheet.pinyinOnly},
        {"Sheet/PlainTones", sheet.plainTones},
        {"Sheet/StrokeOrder", sheet.strokeOrder},
        {"Sheet/VectorPdf", book.pdfExportOptions().vector},
    };
    return values.value(key);
}
