#include "userdialogs.h"

#include <QColorDialog>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QUrl>

UserDialogs UserDialogs::standard()
{
    UserDialogs dialogs;
    dialogs.pickColor = [](const QColor &initial) { return QColorDialog::getColor(initial, nullptr, QString()); };
    dialogs.askSaveFileName = [](QWidget *parent, const QString &caption, const QString &filter) {
        return QFileDialog::getSaveFileName(parent, caption, QString(), filter);
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
    dialogs.openFile = [](const QString &localFile) { QDesktopServices::openUrl(QUrl::fromLocalFile(localFile)); };
    dialogs.previewPrint = [](QWidget *parent, QPrinter *printer, const std::function<void(QPrinter *)> &paint) {
        QPrintPreviewDialog dialog(printer, parent);
        QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, paint);
        dialog.exec();
    };
    return dialogs;
}
