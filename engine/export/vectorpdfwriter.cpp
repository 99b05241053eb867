#include "vectorpdfwriter.h"

#include "checkedwritedevice.h"
#include "copybookpages.h"
#include "paperlayout.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPdfWriter>

// The writer ignores short writes, so they are checked on the way to the file.
bool writeVectorPdf(QIODevice *device, const CopyBookPages &pages, const PageProgress &progress, QString *error)
{
    CheckedWriteDevice checked(device);
    checked.open(QIODevice::WriteOnly);
    QPdfWriter writer(&checked);
    writer.setPageLayout(paperLayout(pages.options));
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
