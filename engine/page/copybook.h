#pragma once

#include "copybookcell.h"
#include "copybookcontent.h"
#include "copybookoptions.h"
#include "copybookpages.h"

#include <QColor>
#include <QFont>
#include <QVector>

// Everything a copybook is made from (the text and its layout, the cell size, the font, the colours, the
// sheet options) as a plain value. What follows from these (the grid of a page, its columns, the pinyin
// band, the margins) is derived here and nowhere else; pages() hands it all to the drawing.
class CopyBook
{
public:
    CopyBook();

    void setBookType(int bookType);
    void setTraceType(int traceType);
    void setBlankLines(int blankLines);
    void setCommonChineseOnly(bool commonChineseOnly);
    void setOpacity(double opacity);
    void setContent(const QString &text);
    void setCellSize(double cellSize);
    void setFontName(const QString &family);
    void setFontSize(double size);
    void setFontNameAndSize(const QString &family, double size);
    void setGridColor(QColor color);
    void setTextColor(QColor color);

    void setGridStyle(int style);
    void setTraceStyle(int style);
    void setTitle(const QString &title);
    void setNameFields(bool on);
    void setPageNumbers(bool on);
    void setPinyin(bool on);
    void setPinyinOnly(bool on);
    void setPlainTones(bool on);
    void setStrokeOrder(bool on);
    void setSheet(const CopyBookOptions::SheetOptions &options);
    void setVectorPdf(bool on) { exportOptions.vector = on; }
    void setExportJobs(int jobs) { exportOptions.jobs = jobs; }

    // Everything the pages are drawn from, as a value that outlives later changes.
    CopyBookPages pages() const;

    int pageCount() const { return content.pageCount(); }
    int rowsPerPage() const { return pageGrid.size(); }
    int columnsPerRow() const { return pageGrid.isEmpty() ? 0 : pageGrid.first().size(); }
    double cellSidePixels() const;
    double pinyinBandPixels() const;
    // The height of the stroke-order frames above each row (0 without them) and their lines.
    double strokeFramesPixels() const;
    int strokeFrameLines() const { return frameLines; }
    // Stroke order is on and the book is a Trace book, which alone shows it.
    bool showsStrokeOrder() const;
    double marginPixels() const;
    QSize pageSizePixels() const;
    double cellSizeCm() const { return cellSize; }
    int pageResolution() const { return resolution; }
    const PageGrid &grid() const { return pageGrid; }
    const CopyBookContent &contentModel() const { return content; }
    const CopyBookOptions::SheetOptions &sheetOptions() const { return sheet; }
    const CopyBookOptions::PdfExportOptions &pdfExportOptions() const { return exportOptions; }
    const QFont &glyphFont() const { return font; }
    QColor gridColor() const { return gridColour; }
    QColor textColor() const { return textColour; }

private:
    void setGlyphSizeCm(double size);
    // Lays the squares of a page out afresh for the cell size and the pinyin band, and the cells onto them.
    void updatePageGeometry();
    // Lays the cells out again after a change of the text or of which characters it shows; with stroke
    // order on, that can change the lines of frames and so the whole geometry.
    void relayCells();

    int resolution;
    double cellSize;
    QFont font;
    QColor gridColour;
    QColor textColour;
    CopyBookContent content;
    PageGrid pageGrid;
    CopyBookOptions::SheetOptions sheet;
    int frameLines = 0;
    CopyBookOptions::PdfExportOptions exportOptions;
};
