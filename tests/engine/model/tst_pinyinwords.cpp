#include "copybookcontent.h"
#include "copybookoptions.h"

#include <QtTest>

// The readings a laid-out text carries: by word, with 一 and 不 as schoolbooks print them, and with the
// bracketed overrides winning.
class TestPinyinWords : public QObject
{
    Q_OBJECT

private slots:
    void readings_data()
    {
        QTest::addColumn<int>("bookType");
        QTest::addColumn<bool>("plainTones");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char *name, int bookType, bool plain, const char *text, const char *expected) {
            QTest::newRow(name) << bookType << plain << QString::fromUtf8(text) << QString::fromUtf8(expected);
        };
        const int copyBook = static_cast<int>(CopyBookOptions::BookType::Copy);
        const int traceBook = static_cast<int>(CopyBookOptions::BookType::Trace);
        const auto copy = [&](const char *text, const char *expected) { row(text, copyBook, false, text, expected); };
        // Each word's reading differs from what its characters read alone.
        copy("银行", "yín háng");
        copy("重新", "chóng xīn");
        copy("音乐", "yīn yuè");
        copy("还书", "huán shū");
        copy("好好地", "hǎo hǎo de");
        // Neither character's reading alone (cān, chà).
        copy("参差", "cēn cī");
        // 大地 is a word too, but two words cover the four characters better than one.
        copy("长大地方", "zhǎng dà dì fāng");
        // Outside any word: the commonest reading, not Unihan's first (de, zi).
        copy("地子", "dì zǐ");
        // The dictionary lacks it, Unihan has it.
        copy("\u515B", "qiān");
        copy("一个", "yí gè");
        copy("一天", "yì tiān");
        copy("一起", "yì qǐ");
        copy("第一", "dì yī");
        copy("十一", "shí yī");
        copy("一。", "yī");
        copy("不是", "bú shì");
        copy("不好", "bù hǎo");
        // Outside any word of the table (which holds 一只 and 一次 with their tones), the next character alone
        // decides.
        copy("一猫", "yì māo");
        copy("一去", "yí qù");
        copy("不去", "bú qù");
        copy("不吃", "bù chī");
        copy("银行[xíng]", "yín xíng");
        copy("一[yi2]样", "yí yàng");
        row("plain tones", copyBook, true, "一个不是", "yī gè bù shì");
        row("Trace rows read the word", traceBook, false, "银行", "yín háng");
        row("Trace rows: 一 and 不 alone", traceBook, false, "一个不是", "yī gè bù shì");
        row("Trace rows: an override", traceBook, false, "银行[xing2]", "yín xíng");
    }

    // One character to a page, so that every word and clause is broken across pages: where a page starts
    // decides nothing.
    void readings()
    {
        QFETCH(int, bookType);
        QFETCH(bool, plainTones);
        QFETCH(QString, text);
        QFETCH(QString, expected);
        CopyBookOptions::OptionValues options;
        options.bookType = static_cast<CopyBookOptions::BookType>(bookType);
        options.traceType = CopyBookOptions::TraceType::None;
        options.pinyin = true;
        options.plainTones = plainTones;
        CopyBookContent content;
        content.layOut(text, options, {1, 1});
        QStringList readings;
        for (int page = 0; page < content.pageCount(); ++page) {
            for (const CopyBookCell &cell : content.cellsOfPage(page))
                readings.append(cell.pinyin);
        }
        QCOMPARE(readings.join(QLatin1Char(' ')), expected);
    }
};

QTEST_APPLESS_MAIN(TestPinyinWords)
#include "tst_pinyinwords.moc"
