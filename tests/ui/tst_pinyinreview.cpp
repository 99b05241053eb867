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
    // 行 stands alone, so its reading is only the commonest; in 银行 the word settles it.
    void marksAndWritesTheChosenReading()
    {
        QTextEdit editor;
        editor.setPlainText(QStringLiteral("银行，行"));
        PinyinReview review(&editor);
        QCOMPARE(marked(editor), QVector<int>());
        QVERIFY(review.choicesAt(3).isEmpty());

        review.setActive(true);
        QCOMPARE(marked(editor), QVector<int> {3});
        QVERIFY(review.choicesAt(1).isEmpty());
        const QStringList choices = review.choicesAt(3);
        QVERIFY2(choices.contains(QStringLiteral("háng")), qPrintable(choices.join(QLatin1Char(' '))));

        review.choose(3, QStringLiteral("háng"));
        QCOMPARE(editor.toPlainText(), QStringLiteral("银行，行[háng]"));
        QCOMPARE(marked(editor), QVector<int>());

        editor.setPlainText(QStringLiteral("行"));
        review.setActive(false);
        QCOMPARE(marked(editor), QVector<int>());
    }
};

QTEST_MAIN(TestPinyinReview)
#include "tst_pinyinreview.moc"
