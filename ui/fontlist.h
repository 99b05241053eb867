#pragma once

#include "fontfiles.h"

#include <QCoreApplication>
#include <QVector>
#include <functional>

class FontBox;
class QLabel;
class QWidget;
struct UserDialogs;

// The font row's behaviour: the families to choose from, the font files a user adds (through the list's
// last item or its context menu) and removes, and the line under the preview that names the characters
// the chosen font lacks.
class FontList
{
    Q_DECLARE_TR_FUNCTIONS(MainWindow)

public:
    // The list and the line it keeps, and the window's dialogs, which tests answer in place of a person.
    FontList(FontBox *box, QLabel *missingLine, QWidget *window, const UserDialogs &dialogs);

    // A family chosen: picked from the list, the family of a font file just added, or the Kai the page
    // goes back to when the font it used is removed.
    std::function<void(const QString &family)> chooseFamily;
    // The fonts changed under the family shown, which another font may draw from now on.
    std::function<void()> fontsChanged;

    void showMissingGlyphs(const QVector<uint> &missing);

private:
    void onIndexChanged(int index);
    void addFontFile();
    void removeFontFile(const FontFiles::FontFile &font);

    FontBox *box;
    QLabel *missingLine;
    QWidget *window;
    const UserDialogs &dialogs;
};
