#include "characterfacts.h"
#include "characterfactsjson.h"
#include "characterlisttable.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

// Each line of a list of ours, split at spaces, without its comments and empty lines.
static QVector<QStringList> rowsOf(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        qFatal("cannot read %s", qPrintable(path));
    QVector<QStringList> rows;
    for (const QString &line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
        const QString kept = line.section(QLatin1Char('#'), 0, 0).trimmed();
        if (!kept.isEmpty())
            rows << kept.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    }
    return rows;
}

static uint codeOf(const QString &character)
{
    return character.toUcs4().value(0);
}

// The share right, said as the measure's report, and whether it reaches the promise.
static bool reaches(const char *what, int right, int total, double promised)
{
    const double share = total ? 100.0 * right / total : 0;
    qInfo("%s: %d of %d right (%.1f %%)", what, right, total, share);
    return share >= promised;
}

class TestCharacterFacts : public QObject
{
    Q_OBJECT

private slots:
    // The stroke names worked out from the centre lines, on characters whose names we know for certain: at
    // least 97 % of the strokes right, a stroke counted wrong where the stroke data has another number.
    void strokeNamesMeasure()
    {
        int right = 0;
        int total = 0;
        for (const QStringList &row : rowsOf(QStringLiteral(CHECKED_DIR "/stroke-names.txt"))) {
            const QStringList expected = row.mid(1);
            const QStringList names = CharacterFacts::of(codeOf(row.first())).strokeNames;
            total += expected.size();
            if (names.size() != expected.size())
                continue;
            for (int i = 0; i < names.size(); ++i)
                right += names[i] == expected[i];
        }
        QVERIFY(reaches("stroke names", right, total, 97.0));
    }

    // The radical rule and the structure, on our hand-checked characters: at least 97 % of each right.
    void radicalAndStructureMeasure()
    {
        int radicals = 0;
        int radicalsRight = 0;
        int structures = 0;
        int structuresRight = 0;
        for (const QStringList &row : rowsOf(QStringLiteral(CHECKED_DIR "/radicals-structures.txt"))) {
            const CharacterFacts facts = CharacterFacts::of(codeOf(row[0]));
            if (row[1] != QLatin1String("-")) {
                ++radicals;
                radicalsRight += facts.radical == row[1];
            }
            if (row[2] != QLatin1String("-")) {
                ++structures;
                structuresRight += facts.structure == row[2];
            }
        }
        QVERIFY(reaches("radicals", radicalsRight, radicals, 97.0));
        QVERIFY(reaches("structures", structuresRight, structures, 97.0));
    }

    // Every character of the standard list has its radical, structure and stroke count; no character of
    // level one offers a word of the unfit list or one that holds one, and every word offered has two to
    // four characters, the character among them and the others all of level one.
    void standardList()
    {
        QStringList unfit;
        for (const QStringList &row : rowsOf(QStringLiteral(UNFIT_WORDS)))
            unfit << row;
        QVERIFY(unfit.size() > 500);
        QSet<uint> firstLevel;
        for (int i = 0; i < 3500; ++i)
            firstLevel.insert(CharacterListTable::standard[i]);
        int named = 0;
        int withWords = 0;
        for (int i = 0; i < CharacterListTable::standardCount; ++i) {
            const uint code = CharacterListTable::standard[i];
            const CharacterFacts facts = CharacterFacts::of(code);
            QVERIFY2(!facts.radical.isEmpty() && !facts.structure.isEmpty() && facts.strokeCount > 0,
                qPrintable(facts.character()));
            named += !facts.strokeNames.isEmpty();
            withWords += !facts.words.isEmpty();
            for (const CharacterWord &word : facts.words) {
                const QVector<uint> characters = word.word.toUcs4();
                QVERIFY2(characters.size() >= 2 && characters.size() <= 4 && characters.contains(code),
                    qPrintable(word.word));
                QCOMPARE(word.pinyin.split(QLatin1Char(' ')).size(), characters.size());
                for (const uint other : characters)
                    QVERIFY2(other == code || firstLevel.contains(other), qPrintable(word.word));
                if (i >= 3500)
                    continue;
                for (const QString &bad : unfit)
                    QVERIFY2(!word.word.contains(bad), qPrintable(facts.character() + ": " + word.word));
            }
        }
        qInfo("of the %d characters, %d with stroke names, %d with words", CharacterListTable::standardCount, named,
            withWords);
    }

    // What the facts hold where the data covers a character, and where it does not: nothing guessed.
    void facts_data()
    {
        QTest::addColumn<QString>("character");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char *character, const char *expected) {
            QTest::newRow(character) << QString::fromUtf8(character) << QString::fromUtf8(expected);
        };
        // A polyphone, whose words show both readings.
        row("长", "cháng zhǎng|长|独体结构|4|撇 横 竖提 捺|cháng zhǎng");
        row("打", "dǎ dá|扌|左右结构|5|横 竖钩 提 横 竖钩|dǎ");
        // Every word is unfit: none offered.
        row("死", "sǐ|歹|半包围结构|6|横 撇 横撇 点 撇 竖弯钩|");
        // Beyond the Basic Multilingual Plane, in the standard list.
        row("\U0002C317", "hé|牙|左右结构|10||");
        // Unihan's reading only.
        row("\U00020000", "hē|||0||");
        row("A", "|||0||");
    }

    void facts()
    {
        QFETCH(QString, character);
        QFETCH(QString, expected);
        const CharacterFacts facts = CharacterFacts::of(codeOf(character));
        QStringList readingsOfWords;
        for (const CharacterWord &word : facts.words) {
            const QString reading = word.pinyin.split(QLatin1Char(' ')).value(word.word.indexOf(character));
            if (!readingsOfWords.contains(reading))
                readingsOfWords << reading;
        }
        const QString got = QStringList {facts.readings.join(QLatin1Char(' ')), facts.radical, facts.structure,
            QString::number(facts.strokeCount), facts.strokeNames.join(QLatin1Char(' ')),
            readingsOfWords.mid(0, 2).join(QLatin1Char(' '))}
                                .join(QLatin1Char('|'));
        QCOMPARE(got, expected);
    }

    // Where the strokes start and which way they set off, for their numbers, on the unit square with y down:
    // 一 starts at the left halfway down and goes right, 永's dot at the top and its 捺 right of the
    // middle, both going down to the right, one start a stroke.
    void strokeStarts()
    {
        const QVector<CharacterFacts::StrokeStart> one = CharacterFacts::of(codeOf(QStringLiteral("一"))).strokeStarts;
        QCOMPARE(one.size(), 1);
        QVERIFY(one[0].at.x() < 0.3 && one[0].at.y() > 0.35 && one[0].at.y() < 0.65);
        QVERIFY(one[0].heading.x() > 0.9);
        const CharacterFacts eternal = CharacterFacts::of(codeOf(QStringLiteral("永")));
        QCOMPARE(eternal.strokeStarts.size(), eternal.strokeCount);
        QVERIFY(eternal.strokeStarts[0].at.y() < 0.25 && eternal.strokeStarts[0].heading.y() > 0.3);
        QVERIFY(eternal.strokeStarts[4].at.x() > 0.45);
        QVERIFY(eternal.strokeStarts[4].heading.x() > 0.3 && eternal.strokeStarts[4].heading.y() > 0.3);
        QVERIFY(CharacterFacts::of('A').strokeStarts.isEmpty());
    }

    // The teacher's own words, each read as a word and in the order given, in place of the table's.
    void ownWords()
    {
        const CharacterFacts facts = CharacterFacts::of(codeOf(QStringLiteral("行")))
                                         .withOwnWords({QStringLiteral("银行"), QStringLiteral("行走"),
                                             QStringLiteral("一行"), QStringLiteral("行A")});
        QStringList read;
        for (const CharacterWord &word : facts.words)
            read << word.word + QLatin1Char('=') + word.pinyin;
        QCOMPARE(read.join(QLatin1Char(' ')), QString::fromUtf8("银行=yín háng 行走=xíng zǒu 一行=yì háng 行A=xíng"));
        QCOMPARE(facts.radical, QString::fromUtf8("彳"));
    }

    // The JSON line: the field names in its order, the fields the facts lack left out, and any text
    // written so that it reads back.
    void json()
    {
        CharacterFacts facts = CharacterFacts::of(codeOf(QStringLiteral("长")));
        facts.words = CharacterFacts::readWords({QStringLiteral("长大"), QStringLiteral("长江")});
        QCOMPARE(QString::fromUtf8(characterFactsJson(facts)),
            QString::fromUtf8("{\"char\":\"长\",\"pinyin\":[\"cháng\",\"zhǎng\"],\"radical\":\"长\",\"structure\":"
                              "\"独体结构\",\"strokeCount\":4,\"strokeNames\":[\"撇\",\"横\",\"竖提\",\"捺\"],"
                              "\"words\":[{\"word\":\"长大\",\"pinyin\":\"zhǎng dà\"},{\"word\":\"长江\","
                              "\"pinyin\":\"cháng jiāng\"}]}"));
        QCOMPARE(characterFactsJson(CharacterFacts::of('A')), QByteArray("{\"char\":\"A\"}"));
        const QString odd = QStringLiteral("长\"\\\n");
        const QByteArray line = characterFactsJson(facts.withOwnWords({odd}));
        QVERIFY(!line.contains('\n'));
        QCOMPARE(QJsonDocument::fromJson(line).object()["words"].toArray()[0].toObject()["word"].toString(), odd);
    }
};

QTEST_GUILESS_MAIN(TestCharacterFacts)
#include "tst_characterfacts.moc"
