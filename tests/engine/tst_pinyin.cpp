#include "pinyin.h"

#include <QtTest>

namespace {

// The text with every override written after its code unit in parentheses: 银行(háng).
QString describe(const Pinyin::AnnotatedText &annotated)
{
    QString out;
    for (int i = 0; i < annotated.text.size(); ++i) {
        out += annotated.text.at(i);
        if (!annotated.readings.at(i).isEmpty())
            out += QLatin1Char('(') + annotated.readings.at(i) + QLatin1Char(')');
    }
    return out;
}

} // namespace

class TestPinyin : public QObject
{
    Q_OBJECT

private slots:
    void readingOf_data()
    {
        QTest::addColumn<QString>("character");
        QTest::addColumn<QString>("expected");
        QTest::newRow("好") << QStringLiteral("好") << QStringLiteral("hǎo");
        QTest::newRow("行: xíng, not the rarer háng") << QStringLiteral("行") << QStringLiteral("xíng");
        QTest::newRow("地: first of two values") << QStringLiteral("地") << QStringLiteral("de");
        QTest::newRow("compatibility ideograph") << QStringLiteral("\uFA18") << QStringLiteral("lǐ");
        QTest::newRow("ideographic space") << QStringLiteral("\u3000") << QString();
        QTest::newRow("main block, no kMandarin value") << QStringLiteral("\u9FFF") << QString();
    }

    void readingOf()
    {
        QFETCH(QString, character);
        QFETCH(QString, expected);
        QCOMPARE(Pinyin::readingOf(character.at(0)), expected);
    }

    void toneMarked_data()
    {
        QTest::addColumn<QString>("syllable");
        QTest::addColumn<QString>("expected");
        QTest::newRow("hao3") << QStringLiteral("hao3") << QStringLiteral("hǎo");
        QTest::newRow("gui4: last vowel") << QStringLiteral("gui4") << QStringLiteral("guì");
        QTest::newRow("lüe4: e before ü") << QStringLiteral("lve4") << QStringLiteral("lüè");
        QTest::newRow("lv4") << QStringLiteral("lv4") << QStringLiteral("lǜ");
        QTest::newRow("n2: the nasal takes the mark") << QStringLiteral("n2") << QStringLiteral("ń");
        QTest::newRow("ma5") << QStringLiteral("ma5") << QStringLiteral("ma");
        QTest::newRow("decomposed mark, misplaced") << QStringLiteral("hao\u030C") << QStringLiteral("hǎo");
        QTest::newRow("tone mark and digit") << QStringLiteral("hǎo3") << QString();
        QTest::newRow("word") << QStringLiteral("english") << QString();
    }

    void toneMarked()
    {
        QFETCH(QString, syllable);
        QFETCH(QString, expected);
        QCOMPARE(Pinyin::toneMarked(syllable), expected);
    }

    void overrides_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("expected");
        QTest::newRow("tone-marked") << QStringLiteral("银行[háng]") << QStringLiteral("银行(háng)");
        QTest::newRow("tone number") << QStringLiteral("行[hang2]走") << QStringLiteral("行(háng)走");
        QTest::newRow("unclosed") << QStringLiteral("好[hao3") << QStringLiteral("好[hao3");
        QTest::newRow("closed on the next line")
            << QStringLiteral("好[hao3\n]你[ni3]") << QStringLiteral("好[hao3\n]你(nǐ)");
        QTest::newRow("after a line break") << QStringLiteral("好\n[hao3]") << QStringLiteral("好\n[hao3]");
        QTest::newRow("after another override") << QStringLiteral("好[hao3][hao4]") << QStringLiteral("好(hǎo)[hao4]");
        QTest::newRow("too long") << QStringLiteral("好[zhuangzhuang]") << QStringLiteral("好[zhuangzhuang]");
    }

    void overrides()
    {
        QFETCH(QString, input);
        QFETCH(QString, expected);
        const Pinyin::AnnotatedText annotated = Pinyin::parseReadingOverrides(input);
        QCOMPARE(annotated.readings.size(), annotated.text.size());
        QCOMPARE(describe(annotated), expected);
    }
};

QTEST_APPLESS_MAIN(TestPinyin)
#include "tst_pinyin.moc"
