#include "pinyinwords.h"

#include <QtTest>

// The readings of every character of text, each code point once, joined by spaces. The second code unit of
// a pair carries nothing of its own: a reading there would show as one more.
static QString readAll(const QString &text)
{
    PinyinWords::Reader reader(text, PinyinWords::Tones::Changed);
    QStringList readings;
    for (int at = 0; at < text.size(); ++at) {
        const QString reading = reader.readingAt(at);
        if (!text.at(at).isLowSurrogate() || !reading.isEmpty())
            readings.append(reading);
    }
    return readings.join(QLatin1Char(' '));
}

// Readings at the level of the reader: polyphones read from the sentence, traditional text read as its
// simplified equivalent, the underline's doubt, and characters beyond the Basic Multilingual Plane.
class TestPinyinReadings : public QObject
{
    Q_OBJECT

private slots:
    // Each polyphone in sentences of its own, once in each reading that the sentence decides. The underline's
    // doubt where a row says: "!" after a reading the sentence settles, "?" after one it leaves open.
    void polyphones_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("at");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char *text, int at, const char *expected) {
            QTest::newRow(text) << QString::fromUtf8(text) << at << QString::fromUtf8(expected);
        };
        row("他的心脏不太好", 3, "zàng");
        row("肝脏有病要早治", 1, "zàng");
        row("衣服弄脏了", 3, "zāng");
        row("警察逮捕了小偷", 2, "dài");
        row("猫逮老鼠", 1, "dǎi");
        row("这座要塞很坚固", 3, "sài");
        row("瓶塞掉了", 1, "sāi");
        row("他买了一盒什锦糖", 5, "shí");
        row("你在做什么", 3, "shén");
        row("这件事鲜为人知", 3, "xiǎn");
        row("鱼很新鲜", 3, "xiān");
        row("孩子长大了", 2, "zhǎng");
        row("这条路很长", 4, "cháng");
        row("他在银行工作", 3, "háng!");
        row("我们一起步行回家", 5, "xíng");
        row("他终于睡着了", 4, "zháo");
        row("他笑着说", 2, "zhe");
        row("我了解这件事", 1, "liǎo");
        row("我们得到了奖励", 2, "dé");
        row("他还没有来", 1, "hái");
        row("我的书", 1, "de!");
        row("大家好", 0, "dà!");
        row("地", 0, "dì?");
        // No word settles these; the sentence does.
        row("这种蛤在海边很常见", 2, "gé");
        row("该县古称阆州", 4, "làng");
        row("他被任命为都督", 4, "wéi");
        row("借的书要按时归还", 7, "huán");
    }

    void polyphones()
    {
        QFETCH(QString, text);
        QFETCH(int, at);
        QFETCH(QString, expected);
        PinyinWords::Reader reader(text, PinyinWords::Tones::Changed);
        if (expected.endsWith('!') || expected.endsWith('?'))
            QCOMPARE(reader.isSettled(at), expected.endsWith('!'));
        QCOMPARE(reader.readingAt(at), expected.remove('!').remove('?'));
    }

    // Whole texts: traditional characters read as the words of their simplified equivalent, and characters
    // beyond the Basic Multilingual Plane with Unihan's reading, at their first code unit.
    void texts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char *text, const char *expected) {
            QTest::newRow(text) << QString::fromUtf8(text) << QString::fromUtf8(expected);
        };
        row("我們", "wǒ men");
        row("銀行", "yín háng");
        row("長大", "zhǎng dà");
        row("長江", "cháng jiāng");
        row("音樂會", "yīn yuè huì");
        row("快樂", "kuài lè");
        row("還書", "huán shū");
        // Words the phrase list's converter misreads, set right in our own list and read as written, also
        // where the context model would turn a neutral tone into a full one (部分 bù fēn, 衣服 yī fú).
        row("尤为重要", "yóu wéi zhòng yào");
        row("湖泊", "hú pō");
        row("少林寺", "shào lín sì");
        row("大部分人", "dà bù fen rén");
        row("衣服", "yī fu");
        row("千钧一发", "qiān jūn yí fà");
        // 乾 stays itself in 乾隆, which simplified text writes so too, and becomes 干 in 乾燥.
        row("乾隆", "qián lóng");
        row("乾燥", "gān zào");
        // A character the context model reads for itself keeps its reading (閤 gé, not 合 hé).
        row("東閤", "dōng gé");
        row("\U00020000", "hē");
        row("\U0002A6A5", "zhé");
        row("面\U00030EDE面", "miàn biáng miàn");
    }

    void texts()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(readAll(text), expected);
    }
};

QTEST_APPLESS_MAIN(TestPinyinReadings)
#include "tst_pinyinreadings.moc"
