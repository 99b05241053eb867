#include "pinyin.h"

#include <QtTest>

class TestPinyin : public QObject
{
    Q_OBJECT

private slots:
    // "reading": the table's reading of a character; "tone": a syllable in tone-marked form (empty when it
    // is not one); "override": the text with each bracketed reading taken, written as 银行(háng).
    void readings_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char *name, const char *kind, const QString &input, const QString &expected) {
            QTest::newRow(name) << QString::fromLatin1(kind) << input << expected;
        };
        row("好", "reading", "好", "hǎo");
        row("行: xíng, not the rarer háng", "reading", "行", "xíng");
        row("地: first of two values", "reading", "地", "de");
        row("compatibility ideograph", "reading", "\uFA18", "lǐ");
        row("ideographic space", "reading", "\u3000", QString());
        row("main block, no kMandarin value", "reading", "\u9FFF", QString());
        row("hao3", "tone", "hao3", "hǎo");
        row("gui4: last vowel", "tone", "gui4", "guì");
        row("lüe4: e before ü", "tone", "lve4", "lüè");
        row("n2: the nasal takes the mark", "tone", "n2", "ń");
        row("ma5", "tone", "ma5", "ma");
        row("decomposed mark, misplaced", "tone", "hao\u030C", "hǎo");
        row("tone mark and digit", "tone", "hǎo3", QString());
        row("word", "tone", "english", QString());
        row("tone-marked", "override", "银行[háng]", "银行(háng)");
        row("tone number", "override", "行[hang2]走", "行(háng)走");
        row("unclosed", "override", "好[hao3", "好[hao3");
        row("closed on the next line", "override", "好[hao3\n]你[ni3]", "好[hao3\n]你(nǐ)");
        row("after a line break", "override", "好\n[hao3]", "好\n[hao3]");
        row("after another override", "override", "好[hao3][hao4]", "好(hǎo)[hao4]");
        row("too long", "override", "好[zhuangzhuang]", "好[zhuangzhuang]");
    }

    void readings()
    {
        QFETCH(QString, kind);
        QFETCH(QString, input);
        QFETCH(QString, expected);
        QString actual;
        if (kind == QLatin1String("reading")) {
            actual = Pinyin::readingOf(input.at(0));
        } else if (kind == QLatin1String("tone")) {
            actual = Pinyin::toneMarked(input);
        } else {
            const Pinyin::AnnotatedText annotated = Pinyin::parseReadingOverrides(input);
            QCOMPARE(annotated.readings.size(), annotated.text.size());
            for (int i = 0; i < annotated.text.size(); ++i) {
                actual += annotated.text.at(i);
                if (!annotated.readings.at(i).isEmpty())
                    actual += QLatin1Char('(') + annotated.readings.at(i) + QLatin1Char(')');
            }
        }
        QCOMPARE(actual, expected);
    }
};

QTEST_APPLESS_MAIN(TestPinyin)
#include "tst_pinyin.moc"
