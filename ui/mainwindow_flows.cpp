// Save As, Print and About: the window's flows beyond the live preview (the worksheet's are in
// mainwindow_worksheet.cpp).

#include "appinfo.h"
#include "appsettings.h"
#include "copybookwidget.h"
#include "layoutunits.h"
#include "mainwindow.h"
#include "pagepictures.h"
#include "systemmenu.h"
#include "textedit.h"

#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QProgressDialog>
#include <QShortcut>
#include <QTextCursor>

namespace {

// Exports shorter than this finish without a progress dialog flashing up.
constexpr int kProgressDelayMs = 500;

// A book longer than this (a whole novel pasted in, say) takes minutes and a large file: the user is asked
// first, since a text this long is more often a mistake than a plan.
constexpr int kPagesWorthAsking = 1000;

} // namespace

QString MainWindow::aboutText(const QString &buildDate, const QString &buildTime)
{
    // One arg() call replaces all three markers at once, so a "%" inside an argument stays as it is.
    return tr("Lattiscribe %1\nBuild on %2 %3\nCopyright © 2026 Kelvo. All rights reserved.")
        .arg(AppInfo::version(), buildDate, buildTime);
}

void MainWindow::reportDamagedStore()
{
    AppSettings *settings = AppSettings::instance();
    if (!settings->storeUsable)
        dialogs.inform(this, tr("Lattiscribe"),
            tr("The settings file is damaged and could not be kept aside: the settings start from their "
               "defaults, and changes to them are not saved."));
    else if (!settings->damagedStoreKeptAs.isEmpty())
        dialogs.inform(this, tr("Lattiscribe"),
            tr("The settings file was damaged. It was kept as %1, and the settings start from their defaults.")
                .arg(QDir::toNativeSeparators(settings->damagedStoreKeptAs)));
    settings->damagedStoreKeptAs.clear();
}

void MainWindow::showAbout()
{
    dialogs.inform(this, tr("About"), aboutText(AppInfo::buildDate(), AppInfo::buildTime()));
}

void MainWindow::offerMenus()
{
    auto *printShortcut = new QShortcut(QKeySequence::Print, this);
    connect(printShortcut, &QShortcut::activated, this, &MainWindow::onPrint);
    const bool aboutInSystemMenu = SystemMenu::appendAbout(this, tr("About"));
    if (!aboutInSystemMenu) {
        auto *shortcut = new QShortcut(QKeySequence(Qt::Key_F1), this);
        connect(shortcut, &QShortcut::activated, this, &MainWindow::showAbout);
    }
    // The preview's menu prints what it shows; without a system menu, it and the panel's background
    // offer About as well.
    QVector<QWidget *> areas {copyBook};
    if (!aboutInSystemMenu)
        areas.append(findChild<QWidget *>(QStringLiteral("controlPanel")));
    for (QWidget *area : areas) {
        area->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(area, &QWidget::customContextMenuRequested, this, [this, area, aboutInSystemMenu](const QPoint &at) {
            auto *menu = new QMenu(this);
            menu->setAttribute(Qt::WA_DeleteOnClose);
            if (area == copyBook) {
                menu->addAction(tr("Open Worksheet…"), this, &MainWindow::onOpenWorksheet);
                menu->addAction(tr("Save Worksheet…"), this, &MainWindow::onSaveWorksheet);
                menu->addAction(tr("Save Worksheet As…"), this, &MainWindow::onSaveWorksheetAs);
                menu->addSeparator();
                menu->addAction(tr("Add from the Character List…"), this, &MainWindow::onAddListedCharacters);
                menu->addAction(tr("Print…"), this, &MainWindow::onPrint)->setObjectName(QStringLiteral("actionPrint"));
            }
            if (!aboutInSystemMenu)
                menu->addAction(tr("About"), this, &MainWindow::showAbout);
            menu->popup(area->mapToGlobal(at));
        });
    }
}

bool MainWindow::nativeEvent(const QByteArray &eventType, void *message, long *result)
{
    if (SystemMenu::isAboutCommand(eventType, message)) {
        showAbout();
        return true;
    }
    return QWidget::nativeEvent(eventType, message, result);
}

PageProgress MainWindow::progressIn(QProgressDialog *dialog, bool *cancelled)
{
    dialog->setWindowModality(Qt::WindowModal);
    dialog->setMinimumDuration(kProgressDelayMs);
    dialog->setCancelButtonText(tr("Cancel"));
    dialog->setValue(0);
    return [dialog, cancelled](int done, int count) {
        dialog->setMaximum(count);
        dialog->setLabelText(tr("page %1 of %2").arg(done).arg(count));
        // A modal progress dialog handles events while its value is set, which is when Cancel is seen.
        dialog->setValue(done);
        *cancelled = dialog->wasCanceled();
        return !*cancelled;
    };
}

void MainWindow::onAddListedCharacters()
{
    const QString characters = dialogs.pickListedCharacters(this);
    if (characters.isEmpty())
        return;
    QTextCursor cursor = editContent->textCursor();
    if (!cursor.atBlockStart())
        cursor.insertText(QString(QChar(LayoutRules::kWordBoundary)));
    cursor.insertText(characters);
    editContent->setTextCursor(cursor);
    copyBook->setContent(editContent->toPlainText());
    // The filter of the main panel would leave these out without a word.
    const int filtered = int(LayoutRules::leftOutByFilter(characters, 0).count);
    if (filtered > 0 && AppSettings::instance()->commonChineseOnly)
        dialogs.inform(this, tr("Lattiscribe"),
            tr("%n of the characters added lie outside the common Chinese characters: they show once \"Common "
               "Chinese\" is off.",
                nullptr, filtered));
}

bool MainWindow::refusesUnlaidBook()
{
    const QString problem = copyBook->copyBook().layoutProblem();
    if (problem.isEmpty())
        return false;
    dialogs.reportFailure(this,
        tr("There is no room on the page for a row of squares, so the text cannot be laid out: choose a smaller "
           "cell size or larger paper."),
        problem);
    return true;
}

void MainWindow::onSaveAs()
{
    if (refusesUnlaidBook())
        return;
    const int pages = copyBook->copyBook().pageCount();
    if (pages > kPagesWorthAsking
        && !dialogs.askYesNo(
            this, tr("This copybook has %1 pages; saving them all takes a while. Save it anyway?").arg(pages)))
        return;
    QStringList types {tr("PDF files (*.pdf)"), tr("PNG pictures (*.png)")};
    if (PagePictures::writesSvg())
        types << tr("SVG drawings (*.svg)");
    const QString fileName = dialogs.askSaveFileName(this, tr("Save File"), types.join(QLatin1String(";;")));
    if (fileName.isEmpty())
        return;

    // Anything but a picture's name gets a PDF, as it always has.
    const bool pictures = PagePictures::isPicture(fileName);
    QProgressDialog progress(this);
    bool cancelled = false;
    QString reason;
    const bool saved = pictures
        ? PagePictures::saveAll(copyBook->copyBook().pages(), fileName, progressIn(&progress, &cancelled), &reason)
        : copyBook->saveToPdf(fileName, progressIn(&progress, &cancelled), &reason);
    progress.reset();
    if (cancelled)
        return;
    if (!saved) {
        dialogs.reportFailure(
            this, pictures ? tr("Failed to save the pictures.") : tr("Failed to save to PDF file."), reason);
        return;
    }
    const QString first = PagePictures::fileNames(fileName, pages).constFirst();
    if (dialogs.askYesNo(this,
            pictures ? tr("The pictures were saved successfully, do you need to open %1?")
                           .arg(QDir::toNativeSeparators(QFileInfo(first).fileName()))
                     : tr("The PDF file was saved successfully, do you need to open the file?")))
        dialogs.openFile(pictures ? first : fileName);
}
