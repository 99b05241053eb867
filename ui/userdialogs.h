#pragma once

#include <QColor>
#include <QString>
#include <functional>

class QPrinter;
class QWidget;

// The modal questions the window asks the user, and the hand-over to the desktop. Each is a plain
// function so that tests can answer in place of a person; the defaults show the real dialogs.
struct UserDialogs
{
    enum class Changes { Save, Discard, Cancel };

    // An invalid colour means the user cancelled.
    std::function<QColor(const QColor &initial)> pickColor;
    // An empty name means the user cancelled. A name typed without a suffix takes that of the type chosen.
    std::function<QString(QWidget *parent, const QString &caption, const QString &filter)> askSaveFileName;
    std::function<QString(QWidget *parent, const QString &caption, const QString &filter)> askOpenFileName;
    std::function<void(QWidget *parent, const QString &title, const QString &text)> inform;
    // A message box without a title saying what failed, with the reason below it.
    std::function<void(QWidget *parent, const QString &text, const QString &reason)> reportFailure;
    // True for Yes.
    std::function<bool(QWidget *parent, const QString &text)> askYesNo;
    // Whether to save the changes before they would be lost: save them, lose them, or stop there.
    std::function<Changes(QWidget *parent, const QString &text)> askSaveChanges;
    std::function<void(const QString &localFile)> openFile;
    // The print preview, which calls `paint` for the preview and again, after the system's print dialog
    // was accepted, for the printer itself.
    std::function<void(QWidget *parent, QPrinter *printer, const std::function<void(QPrinter *)> &paint)> previewPrint;
    // Characters chosen from the national list, separated by spaces; empty when the user cancelled.
    std::function<QString(QWidget *parent)> pickListedCharacters;

    static UserDialogs standard();
};
