#include "printflow.h"

#include "copybookpages.h"
#include "copybookprinting.h"
#include "paperlayout.h"
#include "progressdialog.h"
#include "userdialogs.h"

#include <QPaintEngine>
#include <QPrinter>
#include <QProgressDialog>

PrintFlow::PrintFlow(QWidget *window, const UserDialogs &dialogs) : window(window), dialogs(dialogs) { }

void PrintFlow::print(const CopyBookPages &pages)
{
    QPrinter printer(QPrinter::HighResolution);
    CopyBookPrinting::preparePrinter(&printer, pages);
    dialogs.previewPrint(window, &printer, [this, &pages](QPrinter *target) { printPages(target, pages); });
}

void PrintFlow::printPages(QPrinter *printer, const CopyBookPages &pages)
{
    // The preview draws through a picture engine; only the printer's own engine is a real job, which
    // may be told about its paper and shows its progress.
    const bool preview = printer->paintEngine() && printer->paintEngine()->type() == QPaintEngine::Picture;
    QString reason;
    if (preview) {
        CopyBookPrinting::print(printer, pages, PageProgress(), &reason);
        return;
    }
    if (!CopyBookPrinting::paperHoldsPage(*printer, pages)) {
        if (!dialogs.askYesNo(window,
                tr("The printer's paper, %1, is smaller than the page, %2: the page's edges would not be "
                   "printed. Print anyway?")
                    .arg(CopyBookPrinting::paperName(printer->pageLayout()),
                        CopyBookPrinting::paperName(paperLayout(pages.options)))))
            return;
    }
    QProgressDialog progress(window);
    bool cancelled = false;
    const bool printed = CopyBookPrinting::print(printer, pages, pageProgressIn(&progress, &cancelled), &reason);
    progress.reset();
    if (!printed && !cancelled)
        dialogs.reportFailure(window, tr("Failed to print."), reason);
}
