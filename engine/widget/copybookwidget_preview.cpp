// The preview: the page shown, kept as a picture between paints, and turned with the keys and the wheel.

#include "copybookwidget.h"

#include <QKeyEvent>
#include <QPainter>
#include <QTimer>
#include <QWheelEvent>

namespace {

// One notch of a common mouse wheel, in eighths of a degree.
constexpr int kWheelNotch = 120;

} // namespace

// A change can take pages away: the preview then shows the last one left.
void CopyBookWidget::refreshPreview()
{
    previewPage = qBound(0, previewPage, book.pageCount() - 1);
    previewCurrent = false;
    update();
    if (book.missingGlyphs() != missingGlyphsShown) {
        missingGlyphsShown = book.missingGlyphs();
        emit signalMissingGlyphsChanged();
    }
}

void CopyBookWidget::showPage(int page)
{
    const int shown = qBound(0, page, book.pageCount() - 1);
    if (shown == previewPage)
        return;
    previewPage = shown;
    previewCurrent = false;
    update();
}

void CopyBookWidget::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_PageDown:
    case Qt::Key_Down:
    case Qt::Key_Right:
        showPage(previewPage + 1);
        break;
    case Qt::Key_PageUp:
    case Qt::Key_Up:
    case Qt::Key_Left:
        showPage(previewPage - 1);
        break;
    case Qt::Key_Home:
        showPage(0);
        break;
    case Qt::Key_End:
        showPage(book.pageCount() - 1);
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

// Turning the wheel towards the user goes forward, as it scrolls down a document.
void CopyBookWidget::wheelEvent(QWheelEvent *event)
{
    wheelRest += event->angleDelta().y();
    const int notches = wheelRest / kWheelNotch;
    wheelRest -= notches * kWheelNotch;
    if (notches != 0)
        showPage(previewPage - notches);
    event->accept();
}

// The preview draws its page straight at the size it is shown, in device pixels, and keeps the picture
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
        book.pages().renderPreviewInto(&self->previewPicture, &self->previewStamps, previewPage);
        self->previewPicture.setDevicePixelRatio(ratio);
        self->previewCurrent = true;
        ++self->previewRenders;
        if (book.pageCount() > 1 && !warmingScheduled) {
            self->warmingScheduled = true;
            QTimer::singleShot(0, self, &CopyBookWidget::warmNeighbours);
        }
    }
    const QSizeF shown = QSizeF(device) / ratio;
    const int x = static_cast<int>((width() - shown.width()) / 2);
    const int y = static_cast<int>((height() - shown.height()) / 2);
    QPainter painter(this);
    painter.drawImage(QRectF(QPointF(x, y), shown), previewPicture);
    if (book.pageCount() > 1)
        drawPageIndicator(&painter, QRectF(QPointF(x, y), shown));
}

void CopyBookWidget::warmNeighbours()
{
    warmingScheduled = false;
    if (!previewCurrent)
        return;
    // Kept from one warming to the next: fresh memory of this size costs more than the drawing.
    if (warmingPicture.size() != previewPicture.size())
        warmingPicture = QImage(previewPicture.size(), QImage::Format_ARGB32_Premultiplied);
    const CopyBookPages all = book.pages();
    for (const int page : {previewPage + 1, previewPage - 1}) {
        if (page >= 0 && page < all.pageCount())
            all.renderPreviewInto(&warmingPicture, &previewStamps, page);
    }
}

// Over the picture, not in it: the page drawn stays what the exports draw.
void CopyBookWidget::drawPageIndicator(QPainter *painter, const QRectF &page) const
{
    const QString text = tr("Page %1 of %2").arg(previewPage + 1).arg(book.pageCount());
    const QFontMetrics metrics(font());
    const int padding = metrics.height() / 3;
    const QSize box = metrics.size(Qt::TextSingleLine, text) + QSize(2 * padding, padding);
    const QRectF area(
        page.right() - box.width() - padding, page.bottom() - box.height() - padding, box.width(), box.height());
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(Qt::NoPen);
    painter->setBrush(QColor(0, 0, 0, 150));
    painter->drawRoundedRect(area, padding, padding);
    painter->setPen(Qt::white);
    painter->setFont(font());
    painter->drawText(area, Qt::AlignCenter, text);
}
