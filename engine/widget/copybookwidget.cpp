#include "copybookwidget.h"

#include "pdfexport.h"

#include <QKeyEvent>
#include <QPainter>
#include <QTimer>
#include <QWheelEvent>

namespace {

// One notch of a common mouse wheel, in eighths of a degree.
constexpr int kWheelNotch = 120;

} // namespace

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

// A change can take pages away: the preview then shows the last one left.
void CopyBookWidget::refreshPreview()
{
    previewPage = qBound(0, previewPage, book.pageCount() - 1);
    previewCurrent = false;
    update();
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
