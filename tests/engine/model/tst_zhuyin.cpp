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

// Zhuyin spellings of pinyin syllables and back.
class TestZhuyin : public QObject
{
    Q_OBJECT

private slots:
    // Hand-checked against the standard's tables, in both directions, a syllable for each rule: initial and
    // rime, with each tone; zhi to si alone; y and w for the medials; u as ü after j, q and x, and ü after l
    // and n; -iu, -ui and -un; ong and iong; bo; ê and er; ei and o alone; the interjections.
    void spellings_data()
    {
        QTest::addColumn<QString>("pinyin");
        QTest::addColumn<QString>("zhuyin");
        QTest::addColumn<bool>("bothWays");
        const char *const pairs[][2] = {{"hǎo", "ㄏㄠˇ"}, {"zhuāng", "ㄓㄨㄤ"}, {"ma", "ㄇㄚ˙"}, {"zhī", "ㄓ"},
            {"sì", "ㄙˋ"}, {"yī", "ㄧ"}, {"wǔ", "ㄨˇ"}, {"yú", "ㄩˊ"}, {"yǒu", "ㄧㄡˇ"}, {"yě", "ㄧㄝˇ"},
            {"yīn", "ㄧㄣ"}, {"yíng", "ㄧㄥˊ"}, {"wèi", "ㄨㄟˋ"}, {"wén", "ㄨㄣˊ"}, {"wēng", "ㄨㄥ"}, {"yuè", "ㄩㄝˋ"},
            {"yuán", "ㄩㄢˊ"}, {"yùn", "ㄩㄣˋ"}, {"yǒng", "ㄩㄥˇ"}, {"jú", "ㄐㄩˊ"}, {"quán", "ㄑㄩㄢˊ"},
            {"xué", "ㄒㄩㄝˊ"}, {"jūn", "ㄐㄩㄣ"}, {"lǜ", "ㄌㄩˋ"}, {"lù", "ㄌㄨˋ"}, {"nüè", "ㄋㄩㄝˋ"},
            {"liù", "ㄌㄧㄡˋ"}, {"guì", "ㄍㄨㄟˋ"}, {"lùn", "ㄌㄨㄣˋ"}, {"hóng", "ㄏㄨㄥˊ"}, {"jiǒng", "ㄐㄩㄥˇ"},
            {"bō", "ㄅㄛ"}, {"ế", "ㄝˊ"}, {"ér", "ㄦˊ"}, {"ēi", "ㄟ"}, {"ò", "ㄛˋ"}, {"yō", "ㄧㄛ"}, {"lo", "ㄌㄛ˙"},
            {"ḿ", "ㄇˊ"}, {"hm", "ㄏㄇ˙"}};
        for (const auto &pair : pairs)
            QTest::newRow(pair[0]) << QString::fromUtf8(pair[0]) << QString::fromUtf8(pair[1]) << true;
        // Read one way only: zhuyin as people write it, and what no syllable is.
        const char *const asWritten[][2]
            = {{"˙ㄇㄚ", "ma"}, {"ˊㄏㄤ", "háng"}, {"ㄏㄠˉ", "hāo"}, {"ㄏˇㄠ", ""}, {"ˊㄏㄠˇ", ""}, {"ˇ", ""},
                {"ㄅㄩ", ""}, {"ㄐㄚ", ""}, {"ㄐㄨ", ""}, {"ㄓㄧ", ""}, {"ㄍㄧ", ""}, {"ㄌㄦ", ""}};
        for (const auto &pair : asWritten)
            QTest::newRow(pair[0]) << QString::fromUtf8(pair[1]) << QString::fromUtf8(pair[0]) << false;
    }

    void spellings()
    {
        QFETCH(QString, pinyin);
        QFETCH(QString, zhuyin);
        QFETCH(bool, bothWays);
        if (bothWays)
            QCOMPARE(written(Zhuyin::fromPinyin(pinyin)), zhuyin);
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
};

QTEST_APPLESS_MAIN(TestZhuyin)
#include "tst_zhuyin.moc"
