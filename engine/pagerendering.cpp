#include "copybookwidget.h"
#include "pagegeometry.h"

#include <QPainter>

CopyBookPages CopyBookWidget::pages() const
{
    CopyBookPages pages;
    pages.pageGrid = pageGrid;
    pages.cellSide = cellSidePixels();
    pages.pinyinBand = pinyinBandPixels();
    pages.margin = PageGeometry::cmToPixels(pageMargins.top, resolution);
    pages.resolution = resolution;
    pages.glyphFont = glyphFont;
    pages.gridColor = gridColor;
    pages.textColor = textColor;
    pages.content = content;
    pages.sheet = sheet;
    return pages;
}

QImage CopyBookWidget::renderGridPage() const
{
    return pages().renderGridPage();
}

int CopyBookWidget::pageCount() const
{
    return pages().pageCount();
}

QVector<CopyBookCell> CopyBookWidget::cellsOfPage(int page) const
{
    return pages().cellsOfPage(page);
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
    const QSize device = CopyBookPages::pageSize(resolution)
                             .scaled(QSize(qRound(width() * ratio), qRound(height() * ratio)), Qt::KeepAspectRatio);
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
