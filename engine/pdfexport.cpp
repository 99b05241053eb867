#include "checkedwritedevice.h"
#include "copybookwidget.h"
#include "rasterpdfwriter.h"

#include <QCoreApplication>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

namespace {

// The drawing itself, through a painter on a PDF writer, one page after the other: lines, and glyphs as
// the font's outlines. The writer ignores short writes, so they are checked on the way to the file.
bool writeVectorPdf(QIODevice *file, const CopyBookPages &pages, const PdfExportProgress &progress, QString *error)
{
    CheckedWriteDevice checked(file);
    checked.open(QIODevice::WriteOnly);
    QPdfWriter writer(&checked);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setResolution(pages.resolution);
    writer.setCreator(QCoreApplication::applicationName());
    QPainter painter;
    bool written = painter.begin(&writer);
    const int count = pages.pageCount();
    for (int page = 0; written && page < count; ++page) {
        written = page == 0 || writer.newPage();
        if (written)
            pages.drawPage(&painter, page, GridPen::Mode::PagePens);
        written = written && !checked.hasFailed() && (!progress || progress(page + 1, count));
    }
    written = painter.end() && written && !checked.hasFailed();
    if (checked.hasFailed())
        *error = checked.failureReason();
    return written;
}

} // namespace

bool CopyBookWidget::saveToPdf(const QString &fileName, const PdfExportProgress &progress, QString *error) const
{
    QString reason;
    // The PDF goes to a temporary file beside the target and replaces it only once complete, so a
    // failure or a cancel leaves an existing file exactly as it was. Unbuffered, every short write shows
    // at once instead of vanishing in a later flush.
    QSaveFile file(fileName);
    bool written = file.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    if (written) {
        // The pages as they are now: the window may change while a long export runs.
        const CopyBookPages all = pages();
        if (vectorPdf) {
            written = writeVectorPdf(&file, all, progress, &reason);
        } else {
            RasterPdfSettings settings;
            settings.pageSize = CopyBookPages::pageSize(resolution);
            settings.resolution = resolution;
            settings.creator = QCoreApplication::applicationName();
            settings.jobs = exportJobs;
            written = writeRasterPdf(
                &file, all.pageCount(),
                [all](int page, QImage *buffer, const QRect &band) { all.renderBandInto(buffer, page, band); },
                settings, progress, &reason);
        }
        written = written && file.error() == QFileDevice::NoError && file.commit();
        if (!written)
            file.cancelWriting();
    }
    if (!written && reason.isEmpty())
        reason = file.error() != QFileDevice::NoError ? file.errorString() : QStringLiteral("cancelled");
    if (!written && error)
        *error = reason;
    return written;
}
