// The font row: the families to choose from, the font files a user adds and removes, and the characters
// the chosen font lacks.

#include "appsettings.h"
#include "copybookwidget.h"
#include "mainwindow.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFormLayout>
#include <QLabel>
#include <QMenu>

namespace {

// The items after the families: a separator, then the one that adds a font file.
constexpr int kItemsAfterFamilies = 2;

// The lacking characters the line under the preview lists; the rest it leaves to an ellipsis.
constexpr int kMissingGlyphsListed = 40;

} // namespace

void MainWindow::setupFontRow(QFormLayout *form)
{
    cmbFontName = new QComboBox(this);
    cmbFontName->setObjectName(QLatin1String(CopyBookOptions::findOption(QStringLiteral("FontName"))->controlName));
    form->addRow(tr("Font Name"), cmbFontName);
    fillFontList();
    connect(cmbFontName, qOverload<int>(&QComboBox::currentIndexChanged), this, &MainWindow::onFontIndexChanged);
    // Adding is also the list's last item; removing an added font is here alone.
    cmbFontName->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(cmbFontName, &QWidget::customContextMenuRequested, this, [this](const QPoint &at) {
        auto *menu = new QMenu(this);
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->addAction(tr("Add Font File…"), this, &MainWindow::addFontFile);
        for (const FontFiles::FontFile &font : FontFiles::addedFonts()) {
            menu->addAction(tr("Remove %1").arg(font.families.join(QStringLiteral(", "))), this,
                [this, font] { removeFontFile(font); });
        }
        menu->popup(cmbFontName->mapToGlobal(at));
    });
}

void MainWindow::fillFontList()
{
    const QSignalBlocker quiet(cmbFontName);
    cmbFontName->clear();
    cmbFontName->addItems(QFontDatabase().families());
    cmbFontName->insertSeparator(cmbFontName->count());
    cmbFontName->addItem(tr("Add Font File…"));
    showStoredFont();
}

// Showing writes nothing: the store keeps the family as it was.
void MainWindow::showStoredFont()
{
    const QSignalBlocker quiet(cmbFontName);
    const QString stored = AppSettings::instance()->fontName;
    const int index = cmbFontName->findData(stored, Qt::DisplayRole, Qt::MatchExactly | Qt::MatchCaseSensitive);
    // Only a family: the items after them are no font, whatever the store holds.
    cmbFontName->setCurrentIndex(index < cmbFontName->count() - kItemsAfterFamilies ? index : -1);
    cmbFontName->setPlaceholderText(tr("%1 → %2").arg(stored, QFontInfo(QFont(stored)).family()));
}

void MainWindow::onFontIndexChanged(int index)
{
    if (index != cmbFontName->count() - 1) {
        onFontNameChanged(cmbFontName->itemText(index));
        return;
    }
    showStoredFont();
    addFontFile();
}

void MainWindow::addFontFile()
{
    const QString path
        = dialogs.askOpenFileName(this, tr("Add Font File"), tr("Font files (*.ttf *.otf *.ttc);;All files (*)"));
    if (path.isEmpty())
        return;
    const FontFiles::FontFile font = FontFiles::addFont(path);
    using Problem = FontFiles::Problem;
    switch (font.problem) {
    case Problem::None:
        break;
    case Problem::Unreadable:
        dialogs.reportFailure(this, tr("The font file could not be read."), font.detail);
        return;
    case Problem::NotAFont:
        dialogs.reportFailure(this, tr("This file is not a TrueType or OpenType font."), font.path);
        return;
    case Problem::Damaged:
        dialogs.reportFailure(this, tr("The font file is damaged, perhaps not completely downloaded."), font.detail);
        return;
    case Problem::NotCopied:
        dialogs.reportFailure(this, tr("The font file could not be copied into the program's folder."), font.detail);
        return;
    case Problem::Refused:
        dialogs.reportFailure(this, tr("The font file could not be loaded."), font.path);
        return;
    }
    fillFontList();
    // A font may name its family in more than one language; the list has one of them.
    QString family = font.families.first();
    for (const QString &name : font.families) {
        if (cmbFontName->findText(name, Qt::MatchExactly | Qt::MatchCaseSensitive) >= 0) {
            family = name;
            break;
        }
    }
    onFontNameChanged(family);
    showStoredFont();
}

void MainWindow::removeFontFile(const FontFiles::FontFile &font)
{
    const QString families = font.families.join(QStringLiteral(", "));
    if (!dialogs.askYesNo(this,
            tr("Remove the font %1? Its copy in the program's folder is deleted; the file it was added from stays.")
                .arg(families)))
        return;
    QString error;
    if (!FontFiles::removeAddedFont(font, &error)) {
        dialogs.reportFailure(this, tr("The font file could not be removed."), error);
        return;
    }
    // A page in a font that is gone goes back to the Kai it starts with.
    const QString stored = AppSettings::instance()->fontName;
    if (font.families.contains(stored) && !QFontDatabase().families().contains(stored))
        onFontNameChanged(CopyBookOptions::OptionValues().fontName);
    else
        copyBook->setFontName(stored);
    fillFontList();
}

void MainWindow::showMissingGlyphs()
{
    const QVector<uint> &missing = copyBook->copyBook().missingGlyphs();
    lblMissingGlyphs->setHidden(missing.isEmpty());
    if (missing.isEmpty())
        return;
    QString listed = QString::fromUcs4(missing.constData(), qMin(missing.size(), kMissingGlyphsListed));
    if (missing.size() > kMissingGlyphsListed)
        listed += QStringLiteral("…");
    lblMissingGlyphs->setText(tr("The chosen font lacks %n character(s): %1", nullptr, missing.size()).arg(listed));
}
