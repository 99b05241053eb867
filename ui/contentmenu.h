#pragma once

#include "copybookoptions.h"

#include <QObject>
#include <memory>

class CardWords;
class PinyinReview;
class QTextEdit;

// The content editor's context menu: the editor's own actions and, for the character clicked, its
// readings to choose from with pinyin on (the review marks the doubtful ones) and its card's facts and
// words with cards on.
class ContentMenu : public QObject
{
    Q_OBJECT

public:
    explicit ContentMenu(QTextEdit *editor);
    ~ContentMenu() override;

    // Follows the options: the review with readings, the cards' words with cards.
    void follow(const CopyBookOptions::OptionValues &options);

private:
    void popUp(const QPoint &at);

    QTextEdit *editor;
    PinyinReview *review;
    std::unique_ptr<CardWords> cardWords;
};
