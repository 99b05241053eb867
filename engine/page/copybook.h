#pragma once

#include "copybookcontent.h"
#include "copybookoptions.h"
#include "copybookpages.h"
#include "fourlines.h"
#include "strokeframes.h"

#include <QFont>
#include <QSet>
#include <QSize>
#include <QVector>
#include <tuple>

// A copybook: its text and its options, held once, and what follows from them (the grid of a page, its
// columns, the pinyin band, the stroke-order frames, the text laid out into cells), derived here and
// nowhere else. The derived state is a function of the text and the options alone, whatever order they
// were set in; pages() hands it all to the drawing.
class CopyBook
{
public:
    CopyBook();

    const CopyBookOptions::OptionValues &options() const { return values; }
    // Takes every option at once. Only what the changes reach is done again: the grid when it moves, the
    // layout of the text when the cells move; the rest only changes the drawing.
    void setOptions(const CopyBookOptions::OptionValues &options);
    const QString &text() const { return bookText; }
    void setText(const QString &text);

    // Everything the pages are drawn from, as a value that outlives later changes.
    CopyBookPages pages() const;
    // Why the text cannot be laid out, when it has characters to lay out and the page no room for a row
    // of squares (squares, band and frames too large for the paper); empty when it can. A book of blank
    // pages must not pass for the text's.
    QString layoutProblem() const;

    int pageCount() const { return values.fourLines ? staves.pageCount() : content.pageCount(); }
    int rowsPerPage() const { return pageGrid.size(); }
    int columnsPerRow() const { return pageGrid.isEmpty() ? 0 : pageGrid.first().size(); }
    double cellSidePixels() const;
    double pinyinBandPixels() const;
    // The width of the zhuyin column to the right of each square; 0 without zhuyin.
    double zhuyinColumnPixels() const;
    // The height of the stroke-order frames above each row (0 without them) and their lines.
    double strokeFramesPixels() const;
    // The height of the character cards above each row (0 without them) and their lines.
    double cardsPixels() const;
    int cardLines() const { return std::get<8>(laidGrid); }
    int strokeFrameLines() const { return laidFrames.count; }
    // Stroke order is on and the book is a Trace book, which alone shows it.
    bool showsStrokeOrder() const;
    double marginPixels() const;
    QSize pageSizePixels() const;
    int pageResolution() const { return resolution; }
    const PageGrid &grid() const { return pageGrid; }
    const CopyBookContent &contentModel() const { return content; }
    // The staves of English on four lines, and what is written on them; none without that option.
    const FourLines &fourLines() const { return staves; }
    QFont glyphFont() const;
    // The characters laid out that the glyph font has no glyph for, each once, in the order of the text;
    // those the Kai fallback has are drawn in it.
    const QVector<uint> &missingGlyphs() const { return missing; }
    // How the window's Save As writes: as the options say, with a thread per core.
    CopyBookOptions::PdfExportOptions pdfExportOptions() const { return {values.vectorPdf, 0}; }

private:
    // What the grid of a page is made from: the options that place the squares and the lines of
    // stroke-order frames above each row; equal keys give the same grid to the bit.
    using GridKey = std::tuple<double, CopyBookOptions::Paper, bool, bool, bool, bool, int, double, int>;
    GridKey gridKey(const StrokeFrames::Lines &frames, int cards) const;
    // What the staves of English on four lines are made from, beside the text.
    using StaveKey = std::tuple<double, CopyBookOptions::Paper, bool, bool, CopyBookOptions::BookType,
        CopyBookOptions::TraceType, int, int, bool, double>;
    StaveKey staveKey() const;
    // What the characters a font must have depend on, beside the text: the font asked for and the one
    // that answers, the filter and whether brackets are readings.
    using GlyphKey = std::tuple<QString, QString, bool, bool>;

    // Brings the grid and the cells up to date with the options and the text, doing only what changed.
    void update(bool textChanged);
    // The lines of stroke-order frames above each row, for the character of the text with the most
    // strokes.
    StrokeFrames::Lines frameLines(int cards);
    // The lines of character cards above each row, for the longest unit of the text.
    int cardLinesFor();
    void layGrid();
    // The most strokes of a character (or word) of the text, kept until the text or what makes its units
    // changes: finding it walks the whole text.
    int mostStrokes();
    // Finds the missing glyphs again where the characters or the font that draws them changed.
    void findMissingGlyphs(bool textChanged);
    QFont fallbackFont() const;

    const int resolution;
    CopyBookOptions::OptionValues values;
    QString bookText;
    CopyBookContent content;
    PageGrid pageGrid;
    FourLines staves;
    // The keys each stage was last made from: a stage is made again only when its key changes.
    GridKey laidGrid;
    StrokeFrames::Lines laidFrames;
    CopyBookContent::Key laidCells;
    StaveKey laidStaves;
    GlyphKey checkedGlyphs;
    int strokesOfText = -1;
    int longestUnit = -1;
    QVector<uint> missing;
    QSet<uint> drawnInFallback;
    std::shared_ptr<const ZhuyinColumn> zhuyinDrawing;
};
