// Print: the preview of every page, the system's print dialog, and the job at true size.

#include "copybookpages.h"
#include "copybookprinting.h"
#include "copybookwidget.h"
#include "mainwindow.h"
#include "paperlayout.h"

#include <QPaintEngine>
#include <QPrinter>
#include <QProgressDialog>

void MainWindow::onPrint()
{
    if (refusesUnlaidBook())
        return;
    const CopyBookPages pages = copyBook->copyBook().pages();
    QPrinter printer(QPrinter::HighResolution);
    CopyBookPrinting::preparePrinter(&printer, pages);
    dialogs.previewPrint(this, &printer, [this, &pages](QPrinter *target) { printPages(target, pages); });
}

void MainWindow::printPages(QPrinter *printer, const CopyBookPages &pages)
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
        if (!dialogs.askYesNo(this,
                tr("The printer's paper, %1, is smaller than the page, %2: the page's edges would not be "
                   "printed. Print anyway?")
                    .arg(CopyBookPrinting::paperName(printer->pageLayout()),
                        CopyBookPrinting::paperName(paperLayout(pages.options)))))
            return;
    }
    QProgressDialog progress(this);
    bool cancelled = false;
    const bool printed = CopyBookPrinting::print(printer, pages, progressIn(&progress, &cancelled), &reason);
    progress.reset();
    if (!printed && !cancelled)
        dialogs.reportFailure(this, tr("Failed to print."), reason);
}
