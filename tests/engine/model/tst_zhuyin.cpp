#include "copybookcontent.h"
#include "pinyintable.h"
#include "pinyinwordtable.h"
#include "zhuyin.h"

#include <QtTest>

namespace {

QString written(const Zhuyin::Spelling &spelling)
{
    return spelling.symbols + Zhuyin::toneMark(spelling.tone);
}

QStringList syllablesOf(const char *text, const std::uint16_t *offsets, int count)
{
    QStringList syllables;
    for (int n = 1; n < count; ++n)
        syllables.append(QString::fromUtf8(text + offsets[n], offsets[n + 1] - offsets[n]));
    return syllables;
}

} // namespace

// Zhuyin spellings of pinyin syllables and back, and readings written in zhuyin as overrides.
class TestZhuyin : public QObject
{
    Q_OBJECT

private slots:
    // Hand-checked against the standard's tables: a row for each rule, in both directions.
    void spellings_data()
    {
        QTest::addColumn<QString>("pinyin");
        QTest::addColumn<QString>("zhuyin");
        const auto row = [](const char *name, const char *pinyin, const char *zhuyin) {
            QTest::newRow(name) << QString::fromUtf8(pinyin) << QString::fromUtf8(zhuyin);
        };
        row("initial and rime, 3rd tone", "hǎo", "ㄏㄠˇ");
        row("three symbols, no mark for the 1st tone", "zhuāng", "ㄓㄨㄤ");
        row("neutral tone", "ma", "ㄇㄚ˙");
        row("zhi alone", "zhī", "ㄓ");
        row("si alone", "sì", "ㄙˋ");
        row("yi", "yī", "ㄧ");
        row("wu", "wǔ", "ㄨˇ");
        row("yu", "yú", "ㄩˊ");
        row("you", "yǒu", "ㄧㄡˇ");
        row("ye", "yě", "ㄧㄝˇ");
        row("yin", "yīn", "ㄧㄣ");
        row("ying", "yíng", "ㄧㄥˊ");
        row("wei", "wèi", "ㄨㄟˋ");
        row("wen", "wén", "ㄨㄣˊ");
        row("weng", "wēng", "ㄨㄥ");
        row("yue", "yuè", "ㄩㄝˋ");
        row("yuan", "yuán", "ㄩㄢˊ");
        row("yun", "yùn", "ㄩㄣˋ");
        row("yong", "yǒng", "ㄩㄥˇ");
        row("ju: u is ü", "jú", "ㄐㄩˊ");
        row("quan", "quán", "ㄑㄩㄢˊ");
        row("xue", "xué", "ㄒㄩㄝˊ");
        row("jun", "jūn", "ㄐㄩㄣ");
        row("lü", "lǜ", "ㄌㄩˋ");
        row("lu", "lù", "ㄌㄨˋ");
        row("nüe", "nüè", "ㄋㄩㄝˋ");
        row("-iu", "liù", "ㄌㄧㄡˋ");
        row("-ui", "guì", "ㄍㄨㄟˋ");
        row("-un", "lùn", "ㄌㄨㄣˋ");
        row("ong", "hóng", "ㄏㄨㄥˊ");
        row("iong", "jiǒng", "ㄐㄩㄥˇ");
        row("bo", "bō", "ㄅㄛ");
        row("ê", "ế", "ㄝˊ");
        row("er", "ér", "ㄦˊ");
        row("ei alone", "ēi", "ㄟ");
        row("o alone", "ò", "ㄛˋ");
        row("yo", "yō", "ㄧㄛ");
        row("lo", "lo", "ㄌㄛ˙");
        row("m", "ḿ", "ㄇˊ");
        row("hm", "hm", "ㄏㄇ˙");
    }

    void spellings()
    {
        QFETCH(QString, pinyin);
        QFETCH(QString, zhuyin);
        QCOMPARE(written(Zhuyin::fromPinyin(pinyin)), zhuyin);
        QCOMPARE(Zhuyin::toPinyin(zhuyin), pinyin);
    }

    // Zhuyin as people write it, and what no syllable is.
    void toPinyin_data()
    {
        QTest::addColumn<QString>("zhuyin");
        QTest::addColumn<QString>("pinyin");
        const auto row = [](const char *zhuyin, const char *pinyin) {
            QTest::newRow(zhuyin) << QString::fromUtf8(zhuyin) << QString::fromUtf8(pinyin);
        };
        row("˙ㄇㄚ", "ma");
        row("ˊㄏㄤ", "háng");
        row("ㄏㄠˉ", "hāo");
        row("ㄏˇㄠ", "");
        row("ˊㄏㄠˇ", "");
        row("ˇ", "");
        row("ㄅㄩ", "");
        row("ㄐㄚ", "");
        row("ㄐㄨ", "");
        row("ㄓㄧ", "");
        row("ㄍㄧ", "");
        row("ㄌㄦ", "");
    }

    void toPinyin()
    {
        QFETCH(QString, zhuyin);
        QFETCH(QString, pinyin);
        QCOMPARE(Zhuyin::toPinyin(zhuyin), pinyin);
    }

    // Every syllable a reading can be, from either table, is spelled so that the spelling reads back as
    // that syllable, or is one of those zhuyin does not write.
    void everyReadingRoundTrips()
    {
        QStringList syllables
            = syllablesOf(PinyinTable::syllableText, PinyinTable::syllableOffsets, PinyinTable::syllableCount);
        syllables += syllablesOf(
            PinyinWordTable::syllableText, PinyinWordTable::syllableOffsets, PinyinWordTable::syllableCount);
        // The syllabic n and ng would read back as en and eng; wong is no pinyin (weng is ㄨㄥ), and zh is a
        // slip in pinyin-pro's list for zhī.
        const QStringList unspelled = QString::fromUtf8("n ń ň ǹ ng ńg ňg ǹg hng wòng zh").split(QLatin1Char(' '));
        QSet<QString> withoutSpelling;
        for (const QString &syllable : syllables) {
            const Zhuyin::Spelling spelling = Zhuyin::fromPinyin(syllable);
            if (spelling.symbols.isEmpty())
                withoutSpelling.insert(syllable);
            else
                QCOMPARE(Zhuyin::toPinyin(written(spelling)), syllable);
        }
        QCOMPARE(withoutSpelling, QSet<QString>(unspelled.cbegin(), unspelled.cend()));
    }

    // Readings written in zhuyin reach the cells as the same pinyin overrides would.
    void overrides_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char *text, const char *expected) {
            QTest::newRow(text) << QString::fromUtf8(text) << QString::fromUtf8(expected);
        };
        row("银行[ㄒㄧㄥˊ]", "yín xíng");
        row("东西[˙ㄒㄧ]", "dōng xi");
        row("绿［ㄌㄨˋ］", "lù");
        row("大[ㄉㄚ]", "dā");
    }

    void overrides()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        CopyBookContent content;
        content.text = text;
        content.columns = 4;
        content.bookType = static_cast<int>(CopyBookOptions::BookType::Copy);
        content.rebuildCells({1, true, false});
        QStringList readings;
        for (const CopyBookCell &cell : content.allCells())
            readings.append(cell.pinyin);
        QCOMPARE(readings.join(QLatin1Char(' ')), expected);
    }
};

QTEST_APPLESS_MAIN(TestZhuyin)
#include "tst_zhuyin.moc"
