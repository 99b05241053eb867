#include "cardwords.h"
#include "pinyinreview.h"

#include <QMenu>
#include <QTextBlock>
#include <QTextEdit>
#include <QTextLayout>
#include <QtTest>

namespace {

// The positions of the first line that carry the review's dotted underline.
QVector<int> marked(const QTextEdit &editor)
{
    QVector<int> positions;
    const QTextBlock block = editor.document()->firstBlock();
    for (const QTextLayout::FormatRange &range : block.layout()->formats()) {
        if (range.format.underlineStyle() == QTextCharFormat::DotLine) {
            for (int at = range.start; at < range.start + range.length; ++at)
                positions.append(at);
        }
    }
    return positions;
}

} // namespace

class TestPinyinReview : public QObject
{
    Q_OBJECT

private slots:
    // 了 stands alone, so nothing settles its reading; in 银行 the word settles 行.
    void marksAndWritesTheChosenReading()
    {
        QTextEdit editor;
        editor.setPlainText(QStringLiteral("银行，了"));
        PinyinReview review(&editor);
        QCOMPARE(marked(editor), QVector<int>());
        QVERIFY(review.choicesAt(3).isEmpty());

        review.setActive(true);
        QCOMPARE(marked(editor), QVector<int> {3});
        review.choose(3, QStringLiteral("liǎo"));
        QCOMPARE(editor.toPlainText(), QStringLiteral("银行，了[liǎo]"));
        QCOMPARE(marked(editor), QVector<int>());

        editor.setPlainText(QStringLiteral("了"));
        review.setActive(false);
        QCOMPARE(marked(editor), QVector<int>());
    }

    // The menu offers every reading of Unihan's dictionaries once, the one the page prints first.
    void choices_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char *name, const char *text, int position, const char *expected) {
            QTest::newRow(name) << QString::fromUtf8(text) << position << QString::fromUtf8(expected);
        };
        // Unihan's first reading is de, but dì is the commonest alone.
        row("地 alone", "地", 0, "dì de");
        // fú is in kHanyuPinyin alone.
        row("还 alone", "银行，还", 3, "hái huán fú");
        row("a word settles it", "银行", 1, "");
    }

    void choices()
    {
        QFETCH(QString, text);
        QFETCH(int, position);
        QFETCH(QString, expected);
        QTextEdit editor;
        editor.setPlainText(text);
        PinyinReview review(&editor);
        review.setActive(true);
        QCOMPARE(review.choicesAt(position).join(QLatin1Char(' ')), expected);
    }

    // A character's card from the editor's menu: its facts, then its words, each checked while it is in
    // the braces after the character; choosing one puts it in (after a reading in brackets too) or takes
    // it out, the braces going with their last word. Nothing with cards off or over no character.
    void cardWords_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char *name, const char *text, int position, const char *word, const char *expected) {
            QTest::newRow(name) << QString::fromUtf8(text) << position << QString::fromUtf8(word)
                                << QString::fromUtf8(expected);
        };
        row("a first word", "长高", 0, "长大", "长{长大}高");
        row("a second word", "长{长大}高", 0, "长江", "长{长大 长江}高");
        row("taken out", "长{长大 长江}", 0, "长大", "长{长江}");
        row("the braces go with the last word", "长{长江}", 0, "长江", "长");
        row("after a reading", "长[zhǎng]", 0, "长大", "长[zhǎng]{长大}");
        row("before a reading", "长{长大}[zhǎng]", 0, "成长", "长{长大 成长}[zhǎng]");
    }

    void cardWords()
    {
        QFETCH(QString, text);
        QFETCH(int, position);
        QFETCH(QString, word);
        QFETCH(QString, expected);
        QTextEdit editor;
        editor.setPlainText(text);
        CardWords card(&editor);
        QMenu menu;
        QVERIFY(!card.addCard(&menu, position));
        card.setActive(true);
        QVERIFY(!card.addCard(&menu, text.indexOf(QLatin1Char('{')) + 1) || !text.contains(QLatin1Char('{')));
        QVERIFY(card.addCard(&menu, position));
        QVERIFY(menu.actions().first()->text().startsWith(text.at(position)));
        QStringList checked;
        for (const QAction *action : menu.actions()) {
            if (action->isChecked())
                checked << action->text().section(QLatin1Char(' '), 0, 0);
        }
        QStringList own = card.ownWordsAt(position);
        own.sort();
        checked.sort();
        QCOMPARE(checked, own);
        card.toggle(position, word);
        QCOMPARE(editor.toPlainText(), expected);
        editor.undo();
        QCOMPARE(editor.toPlainText(), text);
    }
};

QTEST_MAIN(TestPinyinReview)
#include "tst_pinyinreview.moc"
