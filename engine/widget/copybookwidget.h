#pragma once

#include "copybook.h"
#include "copybookcell.h"
#include "copybookcontent.h"
#include "copybookoptions.h"
#include "copybookpages.h"
#include "glyphstamps.h"
#include "gridcell.h"
#include "pdfexportprogress.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QList>
#include <QVector>
#include <QWidget>

class QPainter;

// The page engine as a widget: the copybook, and at the same time the preview of one of its pages, the
// first to begin with, turned with the page keys, the arrow keys and the wheel.
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
    void setPlainTones(bool on);
    void setStrokeOrder(bool on);
    void setSheet(const CopyBookOptions::SheetOptions &options);
    // How saveToPdf writes: page images (the default) or the drawing itself, and with how many threads
    // (0 for one per core).
    void setVectorPdf(bool on) { book.setVectorPdf(on); }
    void setExportJobs(int jobs) { book.setExportJobs(jobs); }

    QImage renderGridPage() const;
    QVector<CopyBookCell> cellsOfPage(int page) const;
    void drawGlyphs(QPainter *painter, const QVector<CopyBookCell> &cells) const;
    QImage renderFirstPage() const;
    // Holds every page in memory at once; the PDF export renders one page at a time instead.
    QList<QImage> renderAllPages() const;
    QImage renderPage(int page) const;
    // Everything the pages are drawn from, as a value that outlives later changes.
    CopyBookPages pages() const { return book.pages(); }
    const CopyBook &copyBook() const { return book; }

    // False when the file cannot be written completely or the export was cancelled; the file at that path
    // is then left as it was, and *error (when given) says why.
    bool saveToPdf(const QString &fileName, const PdfExportProgress &progress = {}, QString *error = nullptr) const;

    int pageCount() const { return book.pageCount(); }
    int rowsPerPage() const { return book.rowsPerPage(); }
    int columnsPerRow() const { return book.columnsPerRow(); }
    double cellSidePixels() const { return book.cellSidePixels(); }
    double pinyinBandPixels() const { return book.pinyinBandPixels(); }
    double cellSizeCm() const { return book.cellSizeCm(); }
    int pageResolution() const { return book.pageResolution(); }
    const PageGrid &grid() const { return book.grid(); }
    const CopyBookContent &contentModel() const { return book.contentModel(); }
    const CopyBookOptions::SheetOptions &sheetOptions() const { return book.sheetOptions(); }
    bool writesVectorPdf() const { return book.pdfExportOptions().vector; }
    const QFont &currentGlyphFont() const { return book.glyphFont(); }
    QColor currentGridColor() const { return book.gridColor(); }
    QColor currentTextColor() const { return book.textColor(); }
    // The page the preview shows, from 0; showPage() holds it to the pages there are.
    int shownPage() const { return previewPage; }
    void showPage(int page);
    // How many times the preview picture was drawn afresh (a repaint with nothing changed draws none).
    int previewRenderCount() const { return previewRenders; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    // Marks the kept preview picture out of date and schedules a repaint, which draws it anew.
    void refreshPreview();
    void drawPageIndicator(QPainter *painter, const QRectF &page) const;
    // Fills the stamps of the pages next to the one shown, while the window is idle, so that turning to
    // them draws no glyph outline afresh.
    void warmNeighbours();

    CopyBook book;
    QImage previewPicture;
    bool previewCurrent = false;
    GlyphStamps previewStamps;
    int previewRenders = 0;
    int previewPage = 0;
    QImage warmingPicture;
    bool warmingScheduled = false;
    // A wheel's turn in eighths of a degree not yet a whole notch, from a touchpad's small steps.
    int wheelRest = 0;
};
