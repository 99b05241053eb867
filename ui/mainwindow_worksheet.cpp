// The worksheet: a sheet's text and options kept in a file, opened, saved, dropped onto the window, and
// asked about before unsaved changes to it are lost.

#include "appsettings.h"
#include "colorlabel.h"
#include "copybookwidget.h"
#include "mainwindow.h"
#include "pinyinreview.h"
#include "textedit.h"
#include "textinput.h"
#include "worksheet.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMimeData>
#include <QShortcut>
#include <QSpinBox>

using namespace CopyBookOptions;

namespace {

// The one local file a drag brings, when the window can open it: a worksheet or a text.
QString openableFile(const QMimeData *data)
{
    const QList<QUrl> urls = data->urls();
    if (urls.size() != 1 || !urls.first().isLocalFile())
        return {};
    const QString path = urls.first().toLocalFile();
    const bool text = QFileInfo(path).suffix().compare(QLatin1String("txt"), Qt::CaseInsensitive) == 0;
    return text || Worksheet::isWorksheetFile(path) ? path : QString();
}

// Why a worksheet was not opened, above the reason in detail.
QString refusal(WorksheetReading::Problem problem)
{
    using P = WorksheetReading::Problem;
    switch (problem) {
    case P::Damaged:
        return MainWindow::tr("The worksheet is damaged or incomplete.");
    case P::NotAWorksheet:
        return MainWindow::tr("This file is not a LattiScribe worksheet.");
    case P::NewerVersion:
        return MainWindow::tr(
            "This worksheet was saved by a newer version of LattiScribe; update the program to open it.");
    case P::NulInText:
        return MainWindow::tr("The worksheet's text holds a NUL character.");
    case P::Unreadable:
    case P::None:
        break;
    }
    return MainWindow::tr("The file cannot be read.");
}

} // namespace

void MainWindow::offerWorksheets()
{
    setAcceptDrops(true);
    const QVector<QPair<QKeySequence, void (MainWindow::*)()>> keys {
        {QKeySequence(Qt::CTRL | Qt::Key_O), &MainWindow::onOpenWorksheet},
        {QKeySequence(Qt::CTRL | Qt::Key_S), &MainWindow::onSaveWorksheet},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), &MainWindow::onSaveWorksheetAs},
    };
    for (const auto &key : keys)
        connect(new QShortcut(key.first, this), &QShortcut::activated, this, key.second);
    connect(editContent->document(), &QTextDocument::modificationChanged, this, &MainWindow::updateTitle);
}

void MainWindow::onOpenWorksheet()
{
    const QString path = dialogs.askOpenFileName(
        this, tr("Open Worksheet"), tr("Worksheets and texts (*.%1 *.txt)").arg(Worksheet::fileSuffix()));
    if (!path.isEmpty())
        openFile(path);
}

void MainWindow::onSaveWorksheet()
{
    if (worksheetPath.isEmpty())
        onSaveWorksheetAs();
    else
        saveWorksheetTo(worksheetPath);
}

void MainWindow::onSaveWorksheetAs()
{
    QString path
        = dialogs.askSaveFileName(this, tr("Save Worksheet"), tr("Worksheets (*.%1)").arg(Worksheet::fileSuffix()));
    if (path.isEmpty())
        return;
    // Only a worksheet's name tells the window and the renderer to read it as one.
    if (!Worksheet::isWorksheetFile(path))
        path += QLatin1Char('.') + Worksheet::fileSuffix();
    saveWorksheetTo(path);
}

void MainWindow::openFile(const QString &path)
{
    if (Worksheet::isWorksheetFile(path))
        openWorksheet(path);
    else
        openText(path);
}

void MainWindow::openWorksheet(const QString &path)
{
    const WorksheetReading reading = WorksheetReading::fromFile(path);
    if (reading.problem != WorksheetReading::Problem::None)
        return dialogs.reportFailure(this, refusal(reading.problem), reading.reason);
    if (!settleUnsavedChanges())
        return;
    // As if every control had been set to the worksheet's value: the engine, the store and the controls.
    AppSettings *settings = AppSettings::instance();
    static_cast<OptionValues &>(*settings) = reading.sheet.options;
    showOptionsInControls();
    applySettings();
    settings->saveSettings();
    editContent->setPlainText(reading.sheet.text);
    copyBook->setContent(reading.sheet.text);
    worksheetPath = path;
    worksheetKept = reading.sheet.kept;
    optionsChangedSinceSave = false;
    updateTitle();
}

void MainWindow::openText(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return dialogs.reportFailure(this, tr("The file cannot be read."), file.errorString());
    const DecodedText decoded = decodeText(file.readAll());
    if (decoded.problem != DecodedText::Problem::None)
        return dialogs.reportFailure(this, tr("The file cannot be read as text."), decodingProblem(decoded));
    // As typed over the whole content: one step to undo.
    QTextCursor cursor(editContent->document());
    cursor.select(QTextCursor::Document);
    cursor.insertText(decoded.text);
    copyBook->setContent(decoded.text);
}

bool MainWindow::saveWorksheetTo(const QString &path)
{
    QString reason;
    if (!currentWorksheet().save(path, &reason)) {
        dialogs.reportFailure(this, tr("The worksheet cannot be saved."), reason);
        return false;
    }
    worksheetPath = path;
    optionsChangedSinceSave = false;
    editContent->document()->setModified(false);
    updateTitle();
    return true;
}

Worksheet MainWindow::currentWorksheet() const
{
    Worksheet sheet;
    sheet.text = editContent->toPlainText();
    sheet.options = *AppSettings::instance();
    sheet.kept = worksheetKept;
    return sheet;
}

// Without signals, so that the controls write nothing and the engine is told once, after them all.
void MainWindow::showOptionsInControls()
{
    const AppSettings *settings = AppSettings::instance();
    for (const OptionRow &row : optionTable()) {
        QWidget *control = findChild<QWidget *>(QLatin1String(row.controlName));
        const QSignalBlocker blocker(control);
        const QVariant value = valueOf(*settings, row);
        if (auto *check = qobject_cast<QCheckBox *>(control))
            check->setChecked(value.toBool());
        else if (auto *combo = qobject_cast<QComboBox *>(control))
            combo->setCurrentIndex(row.isChoice()
                    ? combo->findData(value)
                    : combo->findText(value.toString(), Qt::MatchExactly | Qt::MatchCaseSensitive));
        else if (auto *count = qobject_cast<QSpinBox *>(control))
            count->setValue(value.toInt());
        else if (auto *number = qobject_cast<QDoubleSpinBox *>(control))
            number->setValue(value.toDouble());
        else if (auto *line = qobject_cast<QLineEdit *>(control))
            line->setText(value.toString());
        else if (auto *swatch = qobject_cast<ColorLabel *>(control))
            swatch->setColor(value.value<QColor>());
    }
}

bool MainWindow::hasUnsavedChanges() const
{
    return !worksheetPath.isEmpty() && (optionsChangedSinceSave || editContent->document()->isModified());
}

bool MainWindow::settleUnsavedChanges()
{
    if (!hasUnsavedChanges())
        return true;
    switch (dialogs.askSaveChanges(this, tr("Save changes to the worksheet?"))) {
    case UserDialogs::Changes::Save:
        return saveWorksheetTo(worksheetPath);
    case UserDialogs::Changes::Discard:
        return true;
    case UserDialogs::Changes::Cancel:
        break;
    }
    return false;
}

// Without a worksheet the title stays the program's name alone, as it has always been.
void MainWindow::updateTitle()
{
    if (worksheetPath.isEmpty())
        return;
    setWindowTitle(tr("%1[*] - Lattiscribe").arg(QFileInfo(worksheetPath).completeBaseName()));
    setWindowModified(hasUnsavedChanges());
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (settleUnsavedChanges())
        event->accept();
    else
        event->ignore();
}

void MainWindow::dragEnterEvent(QDragEnterEvent *event)
{
    if (!openableFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent *event)
{
    const QString path = openableFile(event->mimeData());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    openFile(path);
}
