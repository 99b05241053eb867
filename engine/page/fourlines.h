#pragma once

#include "copybookoptions.h"
#include "gridpen.h"

#include <QColor>
#include <QFont>
#include <QSize>
#include <QString>
#include <QVector>

class QPainter;

// English on four lines (四线三格): instead of squares, the page holds staves of four lines, three equal
// spaces as exercise books print them, the stave as high as a square. Small letters fill the middle
// space sitting on the third line, ascenders reach the top line and descenders the bottom one, in a
// school print font with single-storey a and g (the pinyin band's). Each line of the text is written on
// a stave: in a Trace book the model line, then faded copies on the staves below, then empty staves to
// write alone; in a Copy book the text runs on from stave to stave. A line longer than a stave is broken
// between words (within a word only where it is longer than the stave) and goes on below.
class FourLines
{
public:
    // One word of a stave's line, its left end and width in page pixels.
    struct Word
    {
        QString text;
        double x = 0.0;
        double width = 0.0;
    };
    // A line written on a stave, counted over all pages.
    struct Line
    {
        qint64 stave = 0;
        double opacity = 1.0;
        QVector<Word> words;
    };

    // The staves of a page of the given size (pixels at `resolution`) and the text laid out on them.
    static FourLines layOut(
        const QString &text, const CopyBookOptions::OptionValues &options, const QSize &page, int resolution);

    int stavesPerPage() const { return staveTops.size(); }
    int pageCount() const;
    double staveHeight() const { return height; }
    // The top line of each stave of a page, in page pixels.
    const QVector<double> &tops() const { return staveTops; }
    const QVector<Line> &lines() const { return written; }
    double left() const { return leftEnd; }
    double right() const { return rightEnd; }

    void drawPage(
        QPainter *painter, int page, GridPen::Mode mode, const QColor &gridColor, const QColor &textColor) const;

private:
    QVector<double> staveTops;
    QVector<Line> written;
    double height = 0.0;
    double leftEnd = 0.0;
    double rightEnd = 0.0;
    QFont letters;
};
