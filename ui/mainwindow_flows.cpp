// Save As, Print, the national list and About: the window's flows beyond the live preview.

#include "appinfo.h"
#include "appsettings.h"
#include "commandbar.h"
#include "copybookwidget.h"
#include "layoutunits.h"
#include "mainwindow.h"
#include "pagepictures.h"
#include "progressdialog.h"
#include "systemmenu.h"
#include "textedit.h"

#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QProgressDialog>
#include <QShortcut>
#include <QTextCursor>

namespace {

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

// Without a system menu, About is on F1, at the end of the preview's menu and on the panel's background.
void MainWindow::offerAbout()
{
    if (SystemMenu::appendAbout(this, tr("About")))
        return;
    connect(new QShortcut(QKeySequence(Qt::Key_F1), this), &QShortcut::activated, this, &MainWindow::showAbout);
    QMenu *commands = findChild<CommandBar *>()->menu();
    commands->addSeparator();
    commands->addAction(tr("About"), this, &MainWindow::showAbout);
    QWidget *panel = findChild<QWidget *>(QStringLiteral("controlPanel"));
    panel->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(panel, &QWidget::customContextMenuRequested, this, [this, panel](const QPoint &at) {
        auto *menu = new QMenu(this);
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->addAction(tr("About"), this, &MainWindow::showAbout);
        menu->popup(panel->mapToGlobal(at));
    });
}

bool MainWindow::nativeEvent(const QByteArray &eventType, void *message, long *result)
{
    if (SystemMenu::isAboutCommand(eventType, message)) {
        showAbout();
        return true;
    }
    return QWidget::nativeEvent(eventType, message, result);
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

void MainWindow::onPrint()
{
    if (!refusesUnlaidBook())
        printing.print(copyBook->copyBook().pages());
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
        ? PagePictures::saveAll(copyBook->copyBook().pages(), fileName, pageProgressIn(&progress, &cancelled), &reason)
        : copyBook->saveToPdf(fileName, pageProgressIn(&progress, &cancelled), &reason);
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
