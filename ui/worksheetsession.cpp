#include "worksheetsession.h"

#include "textinput.h"
#include "userdialogs.h"
#include "worksheet.h"

#include <QFile>
#include <QFileInfo>
#include <QMimeData>
#include <QTextCursor>
#include <QTextEdit>
#include <QUrl>

namespace {

// Why a worksheet was not opened, above the reason in detail.
QString refusal(WorksheetReading::Problem problem)
{
    using P = WorksheetReading::Problem;
    switch (problem) {
    case P::Damaged:
        return WorksheetSession::tr("The worksheet is damaged or incomplete.");
    case P::NotAWorksheet:
        return WorksheetSession::tr("This file is not a LattiScribe worksheet.");
    case P::NewerVersion:
        return WorksheetSession::tr(
            "This worksheet was saved by a newer version of LattiScribe; update the program to open it.");
    case P::NulInText:
        return WorksheetSession::tr("The worksheet's text holds a NUL character.");
    case P::Unreadable:
    case P::None:
        break;
    }
    return WorksheetSession::tr("The file cannot be read.");
}

} // namespace

WorksheetSession::WorksheetSession(
    QWidget *window, QTextEdit *editor, const CopyBookOptions::OptionValues *options, const UserDialogs &dialogs)
    : window(window), editor(editor), options(options), dialogs(dialogs)
{
    QObject::connect(editor->document(), &QTextDocument::modificationChanged, window, [this] { updateTitle(); });
}

QString WorksheetSession::openableFile(const QMimeData *data)
{
    const QList<QUrl> urls = data->urls();
    if (urls.size() != 1 || !urls.first().isLocalFile())
        return {};
    const QString file = urls.first().toLocalFile();
    const bool text = QFileInfo(file).suffix().compare(QLatin1String("txt"), Qt::CaseInsensitive) == 0;
    return text || Worksheet::isWorksheetFile(file) ? file : QString();
}

void WorksheetSession::askToOpen()
{
    const QString file = dialogs.askOpenFileName(
        window, tr("Open Worksheet"), tr("Worksheets and texts (*.%1 *.txt)").arg(Worksheet::fileSuffix()));
    if (!file.isEmpty())
        openFile(file);
}

void WorksheetSession::save()
{
    if (path.isEmpty())
        saveAs();
    else
        saveTo(path);
}

void WorksheetSession::saveAs()
{
    QString file
        = dialogs.askSaveFileName(window, tr("Save Worksheet"), tr("Worksheets (*.%1)").arg(Worksheet::fileSuffix()));
    if (file.isEmpty())
        return;
    // Only a worksheet's name tells the window and the renderer to read it as one.
    if (!Worksheet::isWorksheetFile(file))
        file += QLatin1Char('.') + Worksheet::fileSuffix();
    saveTo(file);
}

void WorksheetSession::openFile(const QString &file)
{
    if (Worksheet::isWorksheetFile(file))
        openWorksheet(file);
    else
        openText(file);
}

void WorksheetSession::openWorksheet(const QString &file)
{
    const WorksheetReading reading = WorksheetReading::fromFile(file);
    if (reading.problem != WorksheetReading::Problem::None)
        return dialogs.reportFailure(window, refusal(reading.problem), reading.reason);
    if (!settleUnsavedChanges())
        return;
    takeOptions(reading.sheet.options);
    editor->setPlainText(reading.sheet.text);
    takeText(reading.sheet.text);
    path = file;
    kept = reading.sheet.kept;
    optionsChangedSinceSave = false;
    updateTitle();
}

void WorksheetSession::openText(const QString &file)
{
    QFile input(file);
    if (!input.open(QIODevice::ReadOnly))
        return dialogs.reportFailure(window, tr("The file cannot be read."), input.errorString());
    const DecodedText decoded = decodeText(input.readAll());
    if (decoded.problem != DecodedText::Problem::None)
        return dialogs.reportFailure(window, tr("The file cannot be read as text."), decodingProblem(decoded));
    // As typed over the whole content: one step to undo.
    QTextCursor cursor(editor->document());
    cursor.select(QTextCursor::Document);
    cursor.insertText(decoded.text);
    takeText(decoded.text);
}

bool WorksheetSession::saveTo(const QString &file)
{
    Worksheet sheet;
    sheet.text = editor->toPlainText();
    sheet.options = *options;
    sheet.kept = kept;
    QString reason;
    if (!sheet.save(file, &reason)) {
        dialogs.reportFailure(window, tr("The worksheet cannot be saved."), reason);
        return false;
    }
    path = file;
    optionsChangedSinceSave = false;
    editor->document()->setModified(false);
    updateTitle();
    return true;
}

void WorksheetSession::noteOptionsChanged()
{
    optionsChangedSinceSave = true;
    updateTitle();
}

bool WorksheetSession::hasUnsavedChanges() const
{
    return !path.isEmpty() && (optionsChangedSinceSave || editor->document()->isModified());
}

bool WorksheetSession::settleUnsavedChanges()
{
    if (!hasUnsavedChanges())
        return true;
    switch (dialogs.askSaveChanges(window, tr("Save changes to the worksheet?"))) {
    case UserDialogs::Changes::Save:
        return saveTo(path);
    case UserDialogs::Changes::Discard:
        return true;
    case UserDialogs::Changes::Cancel:
        break;
    }
    return false;
}

// Without a worksheet the title stays the program's name alone, as it has always been.
void WorksheetSession::updateTitle()
{
    if (path.isEmpty())
        return;
    window->setWindowTitle(tr("%1[*] - Lattiscribe").arg(QFileInfo(path).completeBaseName()));
    window->setWindowModified(hasUnsavedChanges());
}
