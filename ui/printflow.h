#pragma once

#include <QCoreApplication>

struct CopyBookPages;
class QPrinter;
class QWidget;
struct UserDialogs;

// Printing from the window: the preview of every page, then the system's print dialog, then the job at
// true size on the book's paper, with its progress; a printer whose paper is smaller than the page is
// asked about first, and a failed job is reported with the print system's reason.
class PrintFlow
{
    Q_DECLARE_TR_FUNCTIONS(MainWindow)

public:
    // `dialogs` are the window's, answered by the tests in place of a person.
    PrintFlow(QWidget *window, const UserDialogs &dialogs);

    // The pages as they are when asked: the window may change while the dialogs are open.
    void print(const CopyBookPages &pages);

private:
    void printPages(QPrinter *printer, const CopyBookPages &pages);

    QWidget *window;
    const UserDialogs &dialogs;
};
