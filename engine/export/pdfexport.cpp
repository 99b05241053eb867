#include "pdfexport.h"

#include "copybookpages.h"
#include "rasterpdfwriter.h"
#include "vectorpdfwriter.h"

#include <QCoreApplication>
#include <QSaveFile>

bool saveCopyBookPdf(const CopyBookPages &pages, const QString &fileName,
    const CopyBookOptions::PdfExportOptions &options, const PageProgress &progress, QString *error)
{
    QString reason;
    // The PDF goes to a temporary file beside the target and replaces it only once complete, so a
    // failure or a cancel leaves an existing file exactly as it was. Unbuffered, every short write shows
    // at once instead of vanishing in a later flush.
    QSaveFile file(fileName);
    bool written = file.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    if (written) {
        if (options.vector) {
            written = writeVectorPdf(&file, pages, progress, &reason);
        } else {
            RasterPdfSettings settings;
            settings.pageSize = pages.pageSize(pages.resolution);
            settings.resolution = pages.resolution;
            settings.creator = QCoreApplication::applicationName();
            settings.jobs = options.jobs;
            written = writeRasterPdf(
                &file, pages.pageCount(),
                [pages](int page, QImage *buffer, const QRect &strip) { pages.renderStripInto(buffer, page, strip); },
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
