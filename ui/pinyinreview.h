#pragma once

#include <QStringList>
#include <QSyntaxHighlighter>

class QMenu;
class QTextEdit;

// The review of doubtful readings in the content editor. With pinyin on, every character whose reading
// is in doubt (PinyinWords::Reader::isSettled: the context model is unsure, or a polyphone it does not
// know stands outside any word) gets a dotted underline, and its context menu offers its readings; the
// one chosen is written after it as an override. Only the marks change the editor's look: its text
// changes only when a reading is chosen.
class PinyinReview : public QSyntaxHighlighter
{
    Q_OBJECT

public:
    explicit PinyinReview(QTextEdit *editor);

    void setActive(bool on);
    // The readings to choose from for the character at `position` of the document, commonest first;
    // empty where the character is not doubtful or the review is off.
    QStringList choicesAt(int position) const;
    // Writes `reading` in brackets after the character at `position`, as one step to undo.
    void choose(int position, const QString &reading);
    // The readings of the character at `position` atop `menu`; false where it has none to choose from.
    bool addChoices(QMenu *menu, int position);

protected:
    void highlightBlock(const QString &text) override;

private:
    QTextEdit *editor;
    bool active = false;
};
