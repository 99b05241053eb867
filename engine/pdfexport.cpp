#include "checkedwritedevice.h"
#include "copybookwidget.h"

#include <QCoreApplication>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

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
    const bool written = writePdf(&device, progress);
    device.close();
    if (!written || device.hasFailed() || file.error() != QFileDevice::NoError) {
        const QString reason = device.hasFailed() || file.error() != QFileDevice::NoError ? file.errorString()
                                                                                          : QStringLiteral("cancelled");
        file.cancelWriting();
        return failWith(reason);
    }
    return file.commit() || failWith(file.errorString());
}

bool CopyBookWidget::writePdf(CheckedWriteDevice *device, const PdfExportProgress &progress) const
{
    QPdfWriter writer(device);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setResolution(resolution);
    writer.setCreator(QCoreApplication::applicationName());

    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    painter.setRenderHint(QPainter::LosslessImageRendering);

    // One page is rendered, written and released before the next, so memory does not grow with the
    // length of the copybook.
    const QImage blank = renderGridPage();
    const int count = pageCount();
    for (int page = 0; page < count; ++page) {
        const bool pageStarted = page == 0 || writer.newPage();
        if (pageStarted)
            painter.drawImage(painter.viewport(), withGlyphs(blank.copy(), page));
        if (!pageStarted || device->hasFailed() || (progress && !progress(page + 1, count))) {
            painter.end();
            return false;
        }
    }
    return painter.end();
}
