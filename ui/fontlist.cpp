#include "fontlist.h"

#include "copybookoptions.h"
#include "fontbox.h"
#include "userdialogs.h"

#include <QFontDatabase>
#include <QLabel>
#include <QMenu>

namespace {

// The lacking characters the line under the preview lists; the rest it leaves to an ellipsis.
constexpr int kMissingGlyphsListed = 40;

} // namespace

FontList::FontList(FontBox *box, QLabel *missingLine, QWidget *window, const UserDialogs &dialogs)
    : box(box), missingLine(missingLine), window(window), dialogs(dialogs)
{
    QObject::connect(
        box, qOverload<int>(&QComboBox::currentIndexChanged), box, [this](int index) { onIndexChanged(index); });
    // Adding is also the list's last item; removing an added font is here alone.
    box->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(box, &QWidget::customContextMenuRequested, box, [this](const QPoint &at) {
        auto *menu = new QMenu(this->window);
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->addAction(tr("Add Font File…"), [this] { addFontFile(); });
        for (const FontFiles::FontFile &font : FontFiles::addedFonts()) {
            menu->addAction(
                tr("Remove %1").arg(font.families.join(QStringLiteral(", "))), [this, font] { removeFontFile(font); });
        }
        menu->popup(this->box->mapToGlobal(at));
    });
    missingLine->setHidden(true);
}

void FontList::onIndexChanged(int index)
{
    if (!box->addsFontFile(index)) {
        const QString family = box->itemText(index);
        box->showFamily(family);
        chooseFamily(family);
        return;
    }
    box->showFamily(box->shownFamily());
    addFontFile();
}

void FontList::addFontFile()
{
    const QString path
        = dialogs.askOpenFileName(window, tr("Add Font File"), tr("Font files (*.ttf *.otf *.ttc);;All files (*)"));
    if (path.isEmpty())
        return;
    const FontFiles::FontFile font = FontFiles::addFont(path);
    using Problem = FontFiles::Problem;
    switch (font.problem) {
    case Problem::None:
        break;
    case Problem::Unreadable:
        dialogs.reportFailure(window, tr("The font file could not be read."), font.detail);
        return;
    case Problem::NotAFont:
        dialogs.reportFailure(window, tr("This file is not a TrueType or OpenType font."), font.path);
        return;
    case Problem::Damaged:
        dialogs.reportFailure(window, tr("The font file is damaged, perhaps not completely downloaded."), font.detail);
        return;
    case Problem::NotCopied:
        dialogs.reportFailure(window, tr("The font file could not be copied into the program's folder."), font.detail);
        return;
    case Problem::Refused:
        dialogs.reportFailure(window, tr("The font file could not be loaded."), font.path);
        return;
    }
    box->fill();
    // A font may name its family in more than one language; the list has one of them.
    QString family = font.families.first();
    for (const QString &name : font.families) {
        if (box->findText(name, Qt::MatchExactly | Qt::MatchCaseSensitive) >= 0) {
            family = name;
            break;
        }
    }
    chooseFamily(family);
    box->showFamily(family);
}

void FontList::removeFontFile(const FontFiles::FontFile &font)
{
    const QString families = font.families.join(QStringLiteral(", "));
    if (!dialogs.askYesNo(window,
            tr("Remove the font %1? Its copy in the program's folder is deleted; the file it was added from stays.")
                .arg(families)))
        return;
    QString error;
    if (!FontFiles::removeAddedFont(font, &error)) {
        dialogs.reportFailure(window, tr("The font file could not be removed."), error);
        return;
    }
    // A page in a font that is gone goes back to the Kai it starts with.
    const QString shown = box->shownFamily();
    if (font.families.contains(shown) && !QFontDatabase().families().contains(shown)) {
        chooseFamily(CopyBookOptions::OptionValues().fontName);
        box->showFamily(CopyBookOptions::OptionValues().fontName);
    } else {
        fontsChanged();
    }
    box->fill();
}

void FontList::showMissingGlyphs(const QVector<uint> &missing)
{
    missingLine->setHidden(missing.isEmpty());
    if (missing.isEmpty())
        return;
    QString listed = QString::fromUcs4(missing.constData(), qMin(missing.size(), kMissingGlyphsListed));
    if (missing.size() > kMissingGlyphsListed)
        listed += QStringLiteral("…");
    missingLine->setText(tr("The chosen font lacks %n character(s): %1", nullptr, missing.size()).arg(listed));
}
