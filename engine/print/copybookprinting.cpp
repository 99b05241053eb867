#include "copybookprinting.h"

#include "copybookpages.h"
#include "paperlayout.h"

#include <QPainter>
#include <QPrinter>

namespace CopyBookPrinting {

void preparePrinter(QPrinter *printer, const CopyBookPages &pages)
{
    printer->setFullPage(true);
    printer->setPageLayout(paperLayout(pages.options));
    printer->setFromTo(0, 0);
    printer->setPrintRange(QPrinter::AllPages);
    printer->setDocName(QStringLiteral("LattiScribe"));
}

bool paperHoldsPage(const QPrinter &printer, const CopyBookPages &pages)
{
    // Half a millimetre of slack: Letter and its neighbours are defined in inches, and the layouts round.
    constexpr double kSlackMm = 0.5;
    const QSizeF paper = printer.pageLayout().fullRect(QPageLayout::Millimeter).size();
    const QSizeF page = paperLayout(pages.options).fullRect(QPageLayout::Millimeter).size();
    return paper.width() + kSlackMm >= page.width() && paper.height() + kSlackMm >= page.height();
}

QString paperName(const QPageLayout &paper)
{
    const QSizeF mm = paper.fullRect(QPageLayout::Millimeter).size();
    return QStringLiteral("%1 (%2 × %3 mm)")
        .arg(paper.pageSize().name())
        .arg(qRound(mm.width()))
        .arg(qRound(mm.height()));
}

bool print(QPrinter *printer, const CopyBookPages &pages, const PageProgress &progress, QString *error)
{
    const int count = pages.pageCount();
    int first = 0;
    int last = count - 1;
    if (printer->printRange() == QPrinter::PageRange && printer->fromPage() > 0) {
        first = printer->fromPage() - 1;
        last = qMin(last, printer->toPage() - 1);
    }
    const int toPrint = last - first + 1;
    if (toPrint <= 0)
        return true;
    printer->setFullPage(true);
    QPainter painter;
    if (!painter.begin(printer)) {
        *error = QStringLiteral("the printer %1 cannot start a job").arg(printer->printerName());
        return false;
    }
    const double scale = printer->resolution() / static_cast<double>(pages.resolution);
    for (int page = first; page <= last; ++page) {
        if (page > first && !printer->newPage()) {
            painter.end();
            *error = QStringLiteral("the printer %1 took no further page").arg(printer->printerName());
            return false;
        }
        painter.resetTransform();
        painter.scale(scale, scale);
        pages.drawPage(&painter, page, GridPen::Mode::PagePens);
        if (progress && !progress(page - first + 1, toPrint)) {
            printer->abort();
            painter.end();
            return false;
        }
    }
    return painter.end();
}

} // namespace CopyBookPrinting
