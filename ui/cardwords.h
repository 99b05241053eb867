#pragma once

#include <QCoreApplication>
#include <QStringList>

class QMenu;
class QTextEdit;

// A character's card from the content editor: with cards on, the context menu of a Han character shows its
// facts and its words, each checked while it is among the teacher's own words in braces after it
// (春{春天 春风}); choosing one puts it in the braces or takes it out.
class CardWords
{
    Q_DECLARE_TR_FUNCTIONS(MainWindow)

public:
    explicit CardWords(QTextEdit *editor);

    void setActive(bool on) { active = on; }
    // The card of the character at `position` of the document, atop `menu`; false where there is none.
    bool addCard(QMenu *menu, int position);
    // The teacher's words in braces after the character at `position`, as written there.
    QStringList ownWordsAt(int position) const;
    // Puts `word` into the braces after the character at `position`, or takes it out, as one step to undo;
    // the braces go with their last word.
    void toggle(int position, const QString &word);

private:
    QTextEdit *editor;
    bool active = false;
};
