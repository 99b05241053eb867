#include "benchcommon.h"

#include "strokeorder.h"

#include <QElapsedTimer>

void fillTraceBook(CopyBook &book, int pages, bool fewStrokes)
{
    const int framesPerLine = 2 * book.columnsPerRow();
    changeOptions(book, [](auto &o) { o.traceType = CopyBookOptions::TraceType::All; });
    QString text;
    for (int i = 0; text.size() < pages * kRowsPerPage; ++i) {
        const QChar character(0x4E00 + (i * 37) % 0x5000);
        if (!fewStrokes || StrokeOrder::strokeCount(character.unicode()) <= framesPerLine)
            text += character;
    }
    book.setText(text);
}

double paintMs(const std::function<void()> &paint)
{
    QElapsedTimer timer;
    timer.start();
    paint();
    return timer.nsecsElapsed() / 1e6;
}

void cardSheet(CopyBookOptions::OptionValues &o)
{
    o.card = true;
    o.pinyin = true;
    o.strokeOrder = true;
}

void lessonSheet(CopyBookOptions::OptionValues &o)
{
    o.words = true;
    o.copies = 4;
    o.fade = true;
    o.unique = true;
    o.pinyin = true;
    o.strokeOrder = true;
}
