#include "checkedwritedevice.h"
#include "copybookwidget.h"

#include <QCoreApplication>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

namespace {

void setUpWriter(QPdfWriter *writer, int resolution)
{
    writer->setPageSize(QPageSize(QPageSize::A4));
    writer->setPageMargins(QMarginsF(0, 0, 0, 0));
    writer->setResolution(resolution);
    writer->setCreator(QCoreApplication::applicationName());
}

// Runs the pages through a painter on a PDF writer, one page after the other.
bool paintPdf(QIODevice *device, int resolution, int count, const PdfExportProgress &progress,
    const CheckedWriteDevice *checked, const std::function<void(QPainter *, int)> &paintPage)
{
    QPdfWriter writer(device);
    setUpWriter(&writer, resolution);
    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    painter.setRenderHint(QPainter::LosslessImageRendering);
    for (int page = 0; page < count; ++page) {
        const bool pageStarted = page == 0 || writer.newPage();
        if (pageStarted)
            paintPage(&painter, page);
        if (!pageStarted || checked->hasFailed() || (progress && !progress(page + 1, count))) {
            painter.end();
            return false;
        }
    }
    return painter.end();
}

} // namespace

bool CopyBookWidget::saveToPdf(const QString &fileName, const PdfExportProgress &progress, QString *error) const
{
    const auto failWith = [error](const QString &reason) {
        if (error)
            *error = reason;
        return false;
    };
    // The PDF goes to a temporary file beside the target and replaces it only once complete, so a
    // failure or a cancel leaves an existing file exactly as it was. Unbuffered, every short write
    // reaches the checking device at once instead of vanishing in a later flush.
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return failWith(file.errorString());
    CheckedWriteDevice device(&file);
    device.open(QIODevice::WriteOnly);
    // The pages as they are now: the window may change while a long export runs.
    const CopyBookPages all = pages();
    const int count = all.pageCount();
    bool written;
    if (vectorPdf) {
        written = paintPdf(&device, resolution, count, progress, &device,
            [&all](QPainter *painter, int page) { all.drawPage(painter, page, GridPen::Mode::PagePens); });
    } else {
        QImage buffer(CopyBookPages::pageSize(resolution), QImage::Format_ARGB32);
        written = paintPdf(&device, resolution, count, progress, &device, [&](QPainter *painter, int page) {
            all.renderPageInto(&buffer, page);
            painter->drawImage(painter->viewport(), buffer);
        });
    }
    device.close();
    if (!written || device.hasFailed() || file.error() != QFileDevice::NoError) {
        const QString reason = device.hasFailed() || file.error() != QFileDevice::NoError ? file.errorString()
                                                                                          : QStringLiteral("cancelled");
        file.cancelWriting();
        return failWith(reason);
    }
    return file.commit() || failWith(file.errorString());
}
