#include "copybookwidget.h"

#include "pdfexport.h"

#include <QPainter>

CopyBookWidget::CopyBookWidget(QWidget *parent) : QWidget(parent) { }

CopyBookWidget::~CopyBookWidget() = default;

void CopyBookWidget::setBookType(int bookType)
{
    book.setBookType(bookType);
    refreshPreview();
}

void CopyBookWidget::setTraceType(int traceType)
{
    book.setTraceType(traceType);
    refreshPreview();
}

void CopyBookWidget::setBlankLines(int blankLines)
{
    book.setBlankLines(blankLines);
    refreshPreview();
}

void CopyBookWidget::setCommonChineseOnly(bool commonChineseOnly)
{
    book.setCommonChineseOnly(commonChineseOnly);
    refreshPreview();
}

void CopyBookWidget::setOpacity(double opacity)
{
    book.setOpacity(opacity);
    refreshPreview();
}

void CopyBookWidget::setContent(const QString &text)
{
    book.setContent(text);
    refreshPreview();
}

void CopyBookWidget::setCellSize(double size)
{
    book.setCellSize(size);
    refreshPreview();
}

void CopyBookWidget::setFontName(const QString &family)
{
    book.setFontName(family);
    refreshPreview();
}

void CopyBookWidget::setFontSize(double size)
{
    book.setFontSize(size);
    refreshPreview();
}

void CopyBookWidget::setFontNameAndSize(const QString &family, double size)
{
    book.setFontNameAndSize(family, size);
    refreshPreview();
}

// The preview keeps its picture until something changes it, so every change must drop that picture
// here: left to the next repaint, a new colour would not show at all.
void CopyBookWidget::setGridColor(QColor color)
{
    book.setGridColor(color);
    refreshPreview();
}

void CopyBookWidget::setTextColor(QColor color)
{
    book.setTextColor(color);
    refreshPreview();
}

void CopyBookWidget::setGridStyle(int style)
{
    book.setGridStyle(style);
    refreshPreview();
}

void CopyBookWidget::setTraceStyle(int style)
{
    book.setTraceStyle(style);
    refreshPreview();
}

void CopyBookWidget::setTitle(const QString &title)
{
    book.setTitle(title);
    refreshPreview();
}

void CopyBookWidget::setNameFields(bool on)
{
    book.setNameFields(on);
    refreshPreview();
}

void CopyBookWidget::setPageNumbers(bool on)
{
    book.setPageNumbers(on);
    refreshPreview();
}

void CopyBookWidget::setPinyin(bool on)
{
    book.setPinyin(on);
    refreshPreview();
}

void CopyBookWidget::setPinyinOnly(bool on)
{
    book.setPinyinOnly(on);
    refreshPreview();
}

void CopyBookWidget::setPlainTones(bool on)
{
    book.setPlainTones(on);
    refreshPreview();
}

void CopyBookWidget::setSheet(const CopyBookOptions::SheetOptions &options)
{
    book.setSheet(options);
    refreshPreview();
}

void CopyBookWidget::refreshPreview()
{
    previewCurrent = false;
    update();
}

bool CopyBookWidget::saveToPdf(const QString &fileName, const PdfExportProgress &progress, QString *error) const
{
    // The pages as they are now: the window may change while a long export runs.
    return saveCopyBookPdf(book.pages(), fileName, book.pdfExportOptions(), progress, error);
}

QImage CopyBookWidget::renderGridPage() const
{
    return pages().renderGridPage();
}

QVector<CopyBookCell> CopyBookWidget::cellsOfPage(int page) const
{
    return book.contentModel().cellsOfPage(page);
}

void CopyBookWidget::drawGlyphs(QPainter *painter, const QVector<CopyBookCell> &cells) const
{
    pages().drawGlyphs(painter, cells);
}

QImage CopyBookWidget::renderPage(int page) const
{
    return pages().renderPage(page);
}

QImage CopyBookWidget::renderFirstPage() const
{
    return renderPage(0);
}

QList<QImage> CopyBookWidget::renderAllPages() const
{
    const CopyBookPages all = pages();
    QList<QImage> images;
    const int count = all.pageCount();
    for (int page = 0; page < count; ++page)
        images.append(all.renderPage(page));
    return images;
}

// The preview draws page 0 straight at the size it is shown, in device pixels, and keeps the picture
// until something changes it: a setter, a resize, another screen. A plain repaint only copies it. A new
// picture is drawn into the old one's memory where the size allows: fresh memory of this size is
// mapped anew on every allocation, and its first touch costs more than the drawing.
void CopyBookWidget::paintEvent(QPaintEvent *)
{
    if (width() <= 0 || height() <= 0)
        return;
    const qreal ratio = devicePixelRatioF();
    const QSize device
        = book.pageSizePixels().scaled(QSize(qRound(width() * ratio), qRound(height() * ratio)), Qt::KeepAspectRatio);
    if (device.isEmpty())
        return;
    if (!previewCurrent || previewPicture.size() != device || previewPicture.devicePixelRatioF() != ratio) {
        CopyBookWidget *self = const_cast<CopyBookWidget *>(this);
        if (previewPicture.size() != device)
            self->previewPicture = QImage(device, QImage::Format_ARGB32_Premultiplied);
        // Drawn in device pixels; the ratio only tells the widget's painter how large to show it.
        self->previewPicture.setDevicePixelRatio(1.0);
        pages().renderPreviewInto(&self->previewPicture, &self->previewStamps);
        self->previewPicture.setDevicePixelRatio(ratio);
        self->previewCurrent = true;
        ++self->previewRenders;
    }
    const QSizeF shown = QSizeF(device) / ratio;
    const int x = static_cast<int>((width() - shown.width()) / 2);
    const int y = static_cast<int>((height() - shown.height()) / 2);
    QPainter painter(this);
    painter.drawImage(QRectF(QPointF(x, y), shown), previewPicture);
}
