#include "fontbox.h"

#include <QCoreApplication>
#include <QFontDatabase>
#include <QFontInfo>

namespace {

// The items after the families: a separator, then the one that adds a font file.
constexpr int kItemsAfterFamilies = 2;

} // namespace

FontBox::FontBox(QWidget *parent) : QComboBox(parent) { }

FontBox::~FontBox() = default;

void FontBox::fill()
{
    const QSignalBlocker quiet(this);
    clear();
    addItems(QFontDatabase().families());
    insertSeparator(count());
    addItem(QCoreApplication::translate("MainWindow", "Add Font File…"));
    showFamily(family);
}

void FontBox::showFamily(const QString &shown)
{
    const QSignalBlocker quiet(this);
    family = shown;
    const int index = findData(family, Qt::DisplayRole, Qt::MatchExactly | Qt::MatchCaseSensitive);
    // Only a family: the items after them are no font, whatever the store holds.
    setCurrentIndex(index < count() - kItemsAfterFamilies ? index : -1);
    setPlaceholderText(
        QCoreApplication::translate("MainWindow", "%1 → %2").arg(family, QFontInfo(QFont(family)).family()));
}
