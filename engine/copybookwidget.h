#pragma once

#include "copybookcell.h"
#include "copybookcontent.h"
#include "copybookoptions.h"
#include "copybookpages.h"
#include "glyphstamps.h"
#include "gridcell.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QList>
#include <QVector>
#include <QWidget>
#include <functional>

class QPainter;

// Told after each page written to a PDF, with the pages done and the page count; returning false
// cancels the export.
using PdfExportProgress = std::function<bool(int pagesDone, int pageCount)>;

// The page engine and, at the same time, the preview of the first page.
class CopyBookWidget : public QWidget
{
    Q_OBJECT

public:
    explicit CopyBookWidget(QWidget *parent = nullptr);
    ~CopyBookWidget() override;

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

    // The sheet beyond the grid and the glyphs; see CopyBookOptions::SheetOptions.
    void setGridStyle(int style);
    void setTraceStyle(int style);
    void setTitle(const QString &title);
    void setNameFields(bool on);
    void setPageNumbers(bool on);
    void setPinyin(bool on);
    void setPinyinOnly(bool on);
    // How saveToPdf writes: page images (the default) or the drawing itself, and with how many threads
    // (0 for one per core).
    void setVectorPdf(bool on);
    void setExportJobs(int jobs);

    QImage renderGridPage() const;
    QVector<CopyBookCell> cellsOfPage(int page) const;
    void drawGlyphs(QPainter *painter, const QVector<CopyBookCell> &cells) const;
    QImage renderFirstPage() const;
    // Holds every page in memory at once; the PDF export renders one page at a time instead.
    QList<QImage> renderAllPages() const;
    QImage renderPage(int page) const;
    // Everything the pages are drawn from, as a value that outlives later changes.
    CopyBookPages pages() const;

    // False when the file cannot be written completely or the export was cancelled; the file at that path
    // is then left as it was, and *error (when given) says why.
    bool saveToPdf(const QString &fileName, const PdfExportProgress &progress = {}, QString *error = nullptr) const;

    int pageCount() const;
    int rowsPerPage() const { return pageGrid.size(); }
    int columnsPerRow() const { return pageGrid.isEmpty() ? 0 : pageGrid.first().size(); }
    double cellSidePixels() const;
    double pinyinBandPixels() const;
    double cellSizeCm() const { return cellSize; }
    int pageResolution() const { return resolution; }
    const PageGrid &grid() const { return pageGrid; }
    const CopyBookContent &contentModel() const { return content; }
    const CopyBookOptions::SheetOptions &sheetOptions() const { return sheet; }
    bool writesVectorPdf() const { return vectorPdf; }
    const QFont &currentGlyphFont() const { return glyphFont; }
    QColor currentGridColor() const { return gridColor; }
    QColor currentTextColor() const { return textColor; }
    // How many times the preview picture was drawn afresh (a repaint with nothing changed draws none).
    int previewRenderCount() const { return previewRenders; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    struct Margins
    {
        double left;
        double top;
        double right;
        double bottom;
    };

    void updatePageGeometry();
    void setGlyphSizeCm(double size);
    void relayout();
    // Marks the kept preview picture out of date and schedules a repaint, which draws it anew.
    void refreshPreview();

    Margins pageMargins;
    int resolution;
    double cellSize;
    QFont glyphFont;
    QColor gridColor;
    QColor textColor;
    CopyBookContent content;
    PageGrid pageGrid;
    CopyBookOptions::SheetOptions sheet;
    bool vectorPdf = false;
    int exportJobs = 0;
    QImage previewPicture;
    bool previewCurrent = false;
    GlyphStamps previewStamps;
    int previewRenders = 0;
};
