#include "vectorpdfwriter.h"

#include "checkedwritedevice.h"
#include "copybookpages.h"

#include <QCoreApplication>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

// The writer ignores short writes, so they are checked on the way to the file.
bool writeVectorPdf(QIODevice *device, const CopyBookPages &pages, const PdfExportProgress &progress, QString *error)
{
    CheckedWriteDevice checked(device);
    checked.open(QIODevice::WriteOnly);
    QPdfWriter writer(&checked);
    // Qt's own sizes, so that a viewer or a printer names the paper; its B5 is the ISO one.
    static const QPageSize::PageSizeId papers[]
        = {QPageSize::A4, QPageSize::A5, QPageSize::B5, QPageSize::Letter, QPageSize::A3};
    const int paper = pages.sheet.paper > 0 && pages.sheet.paper < 5 ? pages.sheet.paper : 0;
    writer.setPageSize(QPageSize(papers[paper]));
    writer.setPageOrientation(pages.sheet.landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
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
