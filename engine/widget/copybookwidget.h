#pragma once

#include "copybook.h"
#include "glyphstamps.h"
#include "pageprogress.h"

#include <QColor>
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

    // The engine's setters: each changes one option (or the text), brings the grid and the cells up to
    // date and schedules a repaint.
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
    // Every option at once, the sheet's beyond the ten included.
    void setOptions(const CopyBookOptions::OptionValues &options);

    QImage renderGridPage() const;
    QVector<CopyBookCell> cellsOfPage(int page) const;
    void drawGlyphs(QPainter *painter, const QVector<CopyBookCell> &cells) const;
    QImage renderFirstPage() const;
    // Holds every page in memory at once; the PDF export renders one page at a time instead.
    QList<QImage> renderAllPages() const;
    // False when the file cannot be written completely or the export was cancelled; the file at that path
    // is then left as it was, and *error (when given) says why.
    bool saveToPdf(const QString &fileName, const PageProgress &progress = {}, QString *error = nullptr) const;

    const CopyBook &copyBook() const { return book; }
    // The page the preview shows, from 0; showPage() holds it to the pages there are.
    int shownPage() const { return previewPage; }
    void showPage(int page);
    // How many times the preview picture was drawn afresh (a repaint with nothing changed draws none).
    int previewRenderCount() const { return previewRenders; }

signals:
    // The characters the glyph font lacks (CopyBook::missingGlyphs()) are others than before.
    void signalMissingGlyphsChanged();

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    // Changes the options through `change` and shows the result.
    template<typename Change> void changeOptions(const Change &change);
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
    QVector<uint> missingGlyphsShown;
};
