#include "pinyin.h"
#include "pinyinwords.h"

#include <QtTest>

namespace {

// The readings of every character of text, each code point once, joined by spaces.
QString readAll(const QString &text, PinyinWords::Tones tones = PinyinWords::Tones::Changed)
{
    PinyinWords::Reader reader(text, tones);
    QStringList readings;
    for (int at = 0; at < text.size(); ++at) {
        if (!text.at(at).isLowSurrogate())
            readings.append(reader.readingAt(at));
    }
    return readings.join(QLatin1Char(' '));
}

} // namespace

// Readings at the level of the reader: polyphones read from the sentence, traditional text read as its
// simplified equivalent, the underline's doubt, and characters beyond the Basic Multilingual Plane.
class TestPinyinReadings : public QObject
{
    Q_OBJECT

private slots:
    // Each polyphone in sentences of its own, once in each reading that the sentence decides.
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
        row("塞子掉了", 0, "sāi");
        row("他买了一盒什锦糖", 5, "shí");
        row("你在做什么", 3, "shén");
        row("这件事鲜为人知", 3, "xiǎn");
        row("鱼很新鲜", 3, "xiān");
        row("孩子长大了", 2, "zhǎng");
        row("这条路很长", 4, "cháng");
        row("他在银行工作", 3, "háng");
        row("我们一起步行回家", 5, "xíng");
        row("他终于睡着了", 4, "zháo");
        row("他笑着说", 2, "zhe");
        row("我了解这件事", 1, "liǎo");
        row("我们得到了奖励", 2, "dé");
        row("他还没有来", 1, "hái");
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
        QCOMPARE(reader.readingAt(at), expected);
    }

    // Traditional characters read as the words of their simplified equivalent.
    void traditional_data()
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
        // 乾 stays itself in 乾隆, which simplified text writes so too, and becomes 干 in 乾燥.
        row("乾隆", "qián lóng");
        row("乾燥", "gān zào");
        // A character the context model reads for itself keeps its reading (閤 gé, not 合 hé).
        row("東閤", "dōng gé");
    }

    void traditional()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(readAll(text), expected);
    }

    // The underline: a reading the sentence settles is not in doubt; one it leaves open is.
    void doubt_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("at");
        QTest::addColumn<bool>("settled");
        const auto row = [](const char *name, const char *text, int at, bool settled) {
            QTest::newRow(name) << QString::fromUtf8(text) << at << settled;
        };
        row("的 as a particle", "我的书", 1, true);
        row("大 in 大家", "大家好", 0, true);
        row("行 in 银行", "他在银行工作", 3, true);
        row("地 alone", "地", 0, false);
        row("长 alone", "长", 0, false);
    }

    void doubt()
    {
        QFETCH(QString, text);
        QFETCH(int, at);
        QFETCH(bool, settled);
        PinyinWords::Reader reader(text, PinyinWords::Tones::Changed);
        QCOMPARE(reader.isSettled(at), settled);
    }

    // Characters beyond the Basic Multilingual Plane: Unihan's reading, at the first code unit.
    void supplementary_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("U+20000") << QStringLiteral("\U00020000") << QStringLiteral("hē");
        QTest::newRow("U+2A6A5") << QStringLiteral("\U0002A6A5") << QStringLiteral("zhé");
        QTest::newRow("U+30EDE between ideographs")
            << QStringLiteral("面\U00030EDE面") << QStringLiteral("miàn biáng miàn");
    }

    void supplementary()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(readAll(text), expected);
        // The second code unit of the pair carries nothing of its own.
        const int low
            = int(std::find_if(text.cbegin(), text.cend(), [](QChar c) { return c.isLowSurrogate(); }) - text.cbegin());
        PinyinWords::Reader reader(text, PinyinWords::Tones::Changed);
        QCOMPARE(reader.readingAt(low), QString());
    }

    // An override after a character beyond the Basic Multilingual Plane lands on its first code unit,
    // where the layout and the reader look.
    void overrideOfSupplementary()
    {
        const Pinyin::AnnotatedText annotated = Pinyin::parseReadingOverrides(QStringLiteral("\U00020BB7[zhong4]好"));
        QCOMPARE(annotated.text, QStringLiteral("\U00020BB7好"));
        QCOMPARE(annotated.readings, (QVector<QString> {QStringLiteral("zhòng"), QString(), QString()}));
    }
};

QTEST_APPLESS_MAIN(TestPinyinReadings)
#include "tst_pinyinreadings.moc"
