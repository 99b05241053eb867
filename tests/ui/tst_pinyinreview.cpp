#include "pinyinreview.h"

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
};

QTEST_MAIN(TestPinyinReview)
#include "tst_pinyinreview.moc"
