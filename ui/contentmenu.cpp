#include "contentmenu.h"

#include "cardwords.h"
#include "pinyinreview.h"

#include <QMenu>
#include <QTextEdit>

ContentMenu::ContentMenu(QTextEdit *editor)
    : QObject(editor), editor(editor), review(new PinyinReview(editor)), cardWords(new CardWords(editor))
{
    editor->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(editor, &QWidget::customContextMenuRequested, this, &ContentMenu::popUp);
}

ContentMenu::~ContentMenu() = default;

void ContentMenu::follow(const CopyBookOptions::OptionValues &options)
{
    review->setActive(options.showsReadings());
    cardWords->setActive(options.card);
}

void ContentMenu::popUp(const QPoint &at)
{
    QMenu *menu = editor->createStandardContextMenu(at);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    // The cursor lands on the nearer side of the character clicked; either one may be the one meant.
    const int position = editor->cursorForPosition(at).position();
    for (const int candidate : {position, position - 1}) {
        if (candidate >= 0 && review->addChoices(menu, candidate))
            break;
    }
    for (const int candidate : {position - 1, position}) {
        if (candidate >= 0 && cardWords->addCard(menu, candidate))
            break;
    }
    menu->popup(editor->viewport()->mapToGlobal(at));
}
