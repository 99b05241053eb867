#include "copybookwidget.h"

#include "pdfexport.h"

#include <QPainter>

CopyBookWidget::CopyBookWidget(QWidget *parent) : QWidget(parent)
{
    // The keys turn the page only over a preview that has the focus; a click or Tab gives it.
    setFocusPolicy(Qt::StrongFocus);
}

CopyBookWidget::~CopyBookWidget() = default;

template<typename Change> void CopyBookWidget::changeOptions(const Change &change)
{
    CopyBookOptions::OptionValues options = book.options();
    change(options);
    setOptions(options);
}

void CopyBookWidget::setOptions(const CopyBookOptions::OptionValues &options)
{
    book.setOptions(options);
    refreshPreview();
}

void CopyBookWidget::setBookType(int bookType)
{
    changeOptions([&](auto &o) { o.bookType = static_cast<CopyBookOptions::BookType>(bookType); });
}

void CopyBookWidget::setTraceType(int traceType)
{
    changeOptions([&](auto &o) { o.traceType = static_cast<CopyBookOptions::TraceType>(traceType); });
}

void CopyBookWidget::setBlankLines(int blankLines)
{
    changeOptions([&](auto &o) { o.blankLines = blankLines; });
}

void CopyBookWidget::setCommonChineseOnly(bool commonChineseOnly)
{
    changeOptions([&](auto &o) { o.commonChineseOnly = commonChineseOnly; });
}

void CopyBookWidget::setOpacity(double opacity)
{
    changeOptions([&](auto &o) { o.opacity = opacity; });
}

void CopyBookWidget::setContent(const QString &text)
{
    book.setText(text);
    refreshPreview();
}

void CopyBookWidget::setCellSize(double size)
{
    changeOptions([&](auto &o) { o.cellSize = size; });
}

void CopyBookWidget::setFontName(const QString &family)
{
    changeOptions([&](auto &o) { o.fontName = family; });
}

void CopyBookWidget::setFontSize(double size)
{
    changeOptions([&](auto &o) { o.fontSize = size; });
}

void CopyBookWidget::setFontNameAndSize(const QString &family, double size)
{
    changeOptions([&](auto &o) {
        o.fontName = family;
        o.fontSize = size;
    });
}

// The preview keeps its picture until something changes it, so a new colour must drop that picture too:
// left to the next repaint, it would not show at all.
void CopyBookWidget::setGridColor(QColor color)
{
    changeOptions([&](auto &o) { o.gridColor = color; });
}

void CopyBookWidget::setTextColor(QColor color)
{
    changeOptions([&](auto &o) { o.textColor = color; });
}

bool CopyBookWidget::saveToPdf(const QString &fileName, const PageProgress &progress, QString *error) const
{
    // The pages as they are now: the window may change while a long export runs.
    return saveCopyBookPdf(book.pages(), fileName, book.pdfExportOptions(), progress, error);
}

QImage CopyBookWidget::renderGridPage() const
{
    return book.pages().renderGridPage();
}

QVector<CopyBookCell> CopyBookWidget::cellsOfPage(int page) const
{
    return book.contentModel().cellsOfPage(page);
}

void CopyBookWidget::drawGlyphs(QPainter *painter, const QVector<CopyBookCell> &cells) const
{
    book.pages().drawGlyphs(painter, cells);
}

QImage CopyBookWidget::renderFirstPage() const
{
    return book.pages().renderPage(0);
}

QList<QImage> CopyBookWidget::renderAllPages() const
{
    const CopyBookPages all = book.pages();
    QList<QImage> images;
    const int count = all.pageCount();
    for (int page = 0; page < count; ++page)
        images.append(all.renderPage(page));
    return images;
}
