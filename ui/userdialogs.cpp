#include "userdialogs.h"

#include "characterlistdialog.h"

#include <QColorDialog>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QRegularExpression>
#include <QUrl>

namespace {

// The suffix of a file-dialog filter such as "PNG pictures (*.png)".
QString suffixOf(const QString &filter)
{
    return QRegularExpression(QStringLiteral("\\*\\.(\\w+)")).match(filter).captured(1);
}

} // namespace

UserDialogs UserDialogs::standard()
{
    UserDialogs dialogs;
    dialogs.pickColor = [](const QColor &initial) { return QColorDialog::getColor(initial, nullptr, QString()); };
    dialogs.askSaveFileName = [](QWidget *parent, const QString &caption, const QString &filter) {
        // The suffix says how the file is written, so a name typed without one takes the chosen type's, and
        // the dialog asks before replacing the file of that name.
        QFileDialog dialog(parent, caption, QString(), filter);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix(suffixOf(filter));
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
            [&dialog](const QString &chosen) { dialog.setDefaultSuffix(suffixOf(chosen)); });
        return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
    };
    dialogs.askOpenFileName = [](QWidget *parent, const QString &caption, const QString &filter) {
        return QFileDialog::getOpenFileName(parent, caption, QString(), filter);
    };
    dialogs.askOpenFileName = [](QWidget *parent, const QString &caption, const QString &filter) {
        return QFileDialog::getOpenFileName(parent, caption, QString(), filter);
    };
    dialogs.inform = [](QWidget *parent, const QString &title, const QString &text) {
        QMessageBox::information(parent, title, text, QMessageBox::Ok, QMessageBox::NoButton);
    };
    dialogs.reportFailure = [](QWidget *parent, const QString &text, const QString &reason) {
        QMessageBox box(QMessageBox::Information, QString(), text, QMessageBox::Ok, parent);
        box.setInformativeText(reason);
        box.exec();
    };
    dialogs.askYesNo = [](QWidget *parent, const QString &text) {
        return QMessageBox::question(parent, QString(), text, QMessageBox::Yes | QMessageBox::No, QMessageBox::NoButton)
            == QMessageBox::Yes;
    };
    dialogs.askSaveChanges = [](QWidget *parent, const QString &text) {
        switch (QMessageBox::question(parent, QString(), text,
            QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save)) {
        case QMessageBox::Save:
            return Changes::Save;
        case QMessageBox::Discard:
            return Changes::Discard;
        default:
            return Changes::Cancel;
        }
    };
    dialogs.openFile = [](const QString &localFile) { QDesktopServices::openUrl(QUrl::fromLocalFile(localFile)); };
    dialogs.previewPrint = [](QWidget *parent, QPrinter *printer, const std::function<void(QPrinter *)> &paint) {
        QPrintPreviewDialog dialog(printer, parent);
        QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, paint);
        dialog.exec();
    };
    dialogs.pickListedCharacters = [](QWidget *parent) {
        CharacterListDialog dialog(parent);
        return dialog.exec() == QDialog::Accepted ? dialog.characters() : QString();
    };
    return dialogs;
}
