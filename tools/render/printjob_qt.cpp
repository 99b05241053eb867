// Where there is no CUPS (Windows), the renderer prints through Qt's print support, as the window does.

#include "copybookpages.h"
#include "copybookprinting.h"
#include "paperlayout.h"
#include "printjob.h"

#include <QPrinter>
#include <QPrinterInfo>

bool printCopyBook(
    const CopyBookPages &pages, const QString &printer, const PageProgress &progress, QString *warning, QString *error)
{
    const QPrinterInfo info = printer.isEmpty() ? QPrinterInfo::defaultPrinter() : QPrinterInfo::printerInfo(printer);
    if (info.isNull()) {
        *error = printer.isEmpty() ? QStringLiteral("no default printer is set")
                                   : QStringLiteral("no printer is named %1").arg(printer);
        return false;
    }
    QPrinter target(info, QPrinter::HighResolution);
    CopyBookPrinting::preparePrinter(&target, pages);
    if (!CopyBookPrinting::paperHoldsPage(target, pages))
        *warning = QStringLiteral("the printer %1 offers no %2 paper; the pages may come out cut")
                       .arg(info.printerName(), CopyBookPrinting::paperName(paperLayout(pages.options)));
    return CopyBookPrinting::print(&target, pages, progress, error);
}
