#pragma once

#include "copybookoptions.h"

#include <QCoreApplication>
#include <QJsonObject>
#include <QString>
#include <functional>

class QMimeData;
class QTextEdit;
class QWidget;
struct UserDialogs;

// The worksheet the window has open: opened from a file (or a text file taken as the content), saved, named
// in the window's title with `*` while it has unsaved changes, and asked about before those changes would
// be lost. Without a worksheet the title and the close are as they have always been.
class WorksheetSession
{
    Q_DECLARE_TR_FUNCTIONS(MainWindow)

public:
    // The window, whose title this keeps; the editor whose text a worksheet holds; the options record a
    // worksheet saves; the window's dialogs, which tests answer in place of a person.
    WorksheetSession(
        QWidget *window, QTextEdit *editor, const CopyBookOptions::OptionValues *options, const UserDialogs &dialogs);

    // What opening hands the rest of the window: a worksheet's options, to be taken as if each control had
    // been set to its value; then the text now in the editor, for the engine.
    std::function<void(const CopyBookOptions::OptionValues &)> takeOptions;
    std::function<void(const QString &)> takeText;

    void askToOpen();
    // A worksheet, or a text file's text as the content, as a dropped file is opened. What the window holds
    // stays as it was if the file is refused.
    void openFile(const QString &path);
    void save();
    void saveAs();
    // An option changed through a control, which the open worksheet then has unsaved.
    void noteOptionsChanged();
    // False when the user chose to stay with the unsaved changes (or saving them failed).
    bool settleUnsavedChanges();
    void updateTitle();

    // The one local file a drag brings, when it can be opened: a worksheet or a text.
    static QString openableFile(const QMimeData *data);

private:
    void openWorksheet(const QString &path);
    void openText(const QString &path);
    bool saveTo(const QString &path);
    bool hasUnsavedChanges() const;

    QWidget *window;
    QTextEdit *editor;
    const CopyBookOptions::OptionValues *options;
    const UserDialogs &dialogs;
    QString path;
    // What the open worksheet held that this version does not know, for its next save.
    QJsonObject kept;
    bool optionsChangedSinceSave = false;
};
