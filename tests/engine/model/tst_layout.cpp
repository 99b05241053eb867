#include "characterlists.h"
#include "copybookcontent.h"
#include "pinyin.h"
#include "testfiles.h"

#include <QtTest>

namespace {

// One line per row of the layout, "row:glyphs", a model glyph (drawn solid) followed by "!". The cells of
// each row must stand in consecutive columns from 0, which both layouts promise; a gap shows as "_".
QString describe(const QVector<CopyBookCell> &cells)
{
    QString rows;
    int row = -1;
    int nextColumn = 0;
    for (const CopyBookCell &cell : cells) {
        if (cell.row != row) {
            row = cell.row;
            nextColumn = 0;
            rows += QStringLiteral(" %1:").arg(row);
        }
        rows += QString(cell.column - nextColumn, QLatin1Char('_')) + cell.text();
        rows += cell.opacity == 1.0 ? QStringLiteral("!") : QString();
        nextColumn = cell.column + 1;
    }
    return rows.mid(1);
}

} // namespace

// A layout to make: the text, its options and the columns of a row, two rows to a page.
struct Layout
{
    QString text;
    CopyBookOptions::OptionValues options;
    int columns = 11;

    CopyBookContent laidOut() const
    {
        CopyBookContent content;
        content.layOut(text, options, {columns, 2});
        return content;
    }
};

Q_DECLARE_METATYPE(Layout)

// The text laid out into cells, and the readings over them.
class TestLayout : public QObject
{
    Q_OBJECT

private slots:
    void layout_data()
    {
        QTest::addColumn<Layout>("layout");
        QTest::addColumn<QString>("expected");
        // Book type (0 trace, 1 copy), trace type (0 none, 1 half, 2 all), blank lines, the common-Chinese
        // filter, columns, text.
        const auto row = [](const char *name, int book, int trace, int blank, bool filter, int columns,
                             const QString &text, const QString &expected) {
            Layout layout {text, {}, columns};
            layout.options.bookType = static_cast<CopyBookOptions::BookType>(book);
            layout.options.traceType = static_cast<CopyBookOptions::TraceType>(trace);
            layout.options.blankLines = blank;
            layout.options.commonChineseOnly = filter;
            layout.options.opacity = 0.25;
            QTest::newRow(name) << layout << expected;
        };
        const QString two = QStringLiteral("永字");
        row("trace half: model and five copies per row", 0, 1, 0, true, 11, two, "0:永!永永永永永 1:字!字字字字字");
        row("trace half rounds up: 1.5 copies are 2", 0, 1, 1, true, 4, two, "0:永!永永 2:字!字字");
        row("trace all: full rows", 0, 2, 0, true, 3, two, "0:永!永永 1:字!字字");
        row("trace half, one column: no copies", 0, 1, 0, true, 1, two, "0:永! 1:字!");
        // None, like any unknown trace type: models only.
        row("trace, unknown trace type acts as none", 0, 7, 0, true, 11, two, "0:永! 1:字!");
        row("trace skips breaks, spaces and controls", 0, 0, 0, false, 11, "永 \n\t\u3000\u0001\u200B字",
            "0:永! 1:字!");
        row("trace without filter: punctuation and Latin get rows", 0, 0, 0, false, 11, "永，a", "0:永! 1:，! 2:a!");
        row("trace with filter drops all but U+4E00..U+9FFF", 0, 0, 0, true, 11, "a1，\u3400\u9FA5\u4E00\uFA00",
            "0:\u9FA5! 1:\u4E00!");
        row("copy with filter keeps U+4E00..U+9FFF inclusive", 1, 1, 0, true, 11, "\u4DFF\u4E00\u9FFF\uA000",
            "0:\u4E00\u9FFF");
        row("negative blank lines count as none", 0, 0, -3, true, 11, two, "0:永! 1:字!");
        row("copy, one blank line after each partial line", 1, 1, 1, true, 11, "一丁\n丂\n七", "0:一丁 2:丂 4:七");
        row("copy, line feed after a wrap advances one row", 1, 1, 1, true, 11, ideographs(11) + "\n永",
            "0:" + ideographs(11) + " 3:永");
        row("copy, leading line feed starts a line", 1, 1, 2, true, 11, "\n永", "3:永");
        row("copy, two line feeds after a partial line", 1, 1, 2, true, 11, "永\n\n字", "0:永 4:字");
        row("copy, a filtered character keeps the line open", 1, 1, 1, true, 2, "永a字，八", "0:永字 2:八");
        row("copy without filter: space, tab and CR take cells", 1, 1, 0, false, 11, "a \tb\r", "0:a \tb\r");
        row("copy without filter: what parts a list's characters takes no cell", 1, 1, 0, false, 11,
            CharacterLists::charactersOf(1, 1, 3), "0:一乙二");
        row("copy, unknown book type lays out as copy", 5, 1, 0, true, 11, two, "0:永字");
        row("copy, trailing line feeds add no cells", 1, 1, 1, true, 11, "永\n\n\n", "0:永");
        // Without pinyin a bracketed reading is text like any other.
        row("copy, brackets without pinyin", 1, 1, 0, false, 11, "行[hang2]", "0:行[hang2]");
        row("no columns: no cells", 0, 1, 0, true, 0, two, QString());
        row("copy: a character of Extension B takes one cell", 1, 1, 0, false, 1, "\U00020000a", "0:\U00020000 1:a");
        row("trace: a character of Extension B gets a row", 0, 1, 0, false, 3, "\U00020000", "0:\U00020000!\U00020000");
        const QString lone = QString(QChar(0xD840)) + QLatin1Char('a');
        row("a lone surrogate half stays a cell", 1, 1, 0, false, 11, lone, QStringLiteral("0:") + lone);
        row("the filter drops Extension B", 1, 1, 0, true, 11, "\U00020000", QString());
    }

    // Models are solid; every other cell takes the book's opacity. Laid out again page by page (two rows
    // to a page here), the cells are the same as in one walk, each on the page of its row.
    void layout()
    {
        QFETCH(Layout, layout);
        QFETCH(QString, expected);
        const CopyBookContent content = layout.laidOut();
        const QVector<CopyBookCell> cells = content.allCells();
        QCOMPARE(describe(cells), expected);
        QCOMPARE(content.cellCount(), cells.size());
        for (const CopyBookCell &cell : cells)
            QVERIFY(cell.opacity == 1.0 || cell.opacity == 0.25);
        QVector<CopyBookCell> paged;
        for (int page = 0; page < content.pageCount(); ++page) {
            for (const CopyBookCell &cell : content.cellsOfPage(page)) {
                QCOMPARE(cell.row / 2, page);
                paged.append(cell);
            }
        }
        QCOMPARE(describe(paged), expected);
    }

    // The lesson sheets' rows: words kept whole, a chosen number of copies, each unit once, and a Copy
    // book's rows broken between words (a Trace book's columns, with "!" after a model's cells).
    void lessonRows_data()
    {
        QTest::addColumn<Layout>("layout");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char *name, int book, int columns, const QString &text, bool words, int copies,
                             bool unique, const QString &expected) {
            Layout layout {text, {}, columns};
            layout.options.bookType = static_cast<CopyBookOptions::BookType>(book);
            layout.options.traceType = CopyBookOptions::TraceType::All;
            layout.options.words = words;
            layout.options.copies = copies;
            layout.options.unique = unique;
            QTest::newRow(name) << layout << expected;
        };
        row("words: the model word and two whole copies", 0, 11, "春天 小鸟", true, 2, false,
            "0:春!天!春天春天 1:小!鸟!小鸟小鸟");
        row("words: as many whole copies as fit", 0, 8, "大熊猫", true, -1, false, "0:大!熊!猫!大熊猫");
        row("words: none split over two rows", 0, 5, "大熊猫", true, -1, false, "0:大!熊!猫!");
        row("words: longer than a row, on the rows below", 0, 3, "中华人民共和国，好", true, -1, false,
            "0:中!华!人! 1:民!共!和! 2:国! 3:好!好好");
        row("words: a run not parted by spaces, as the readings cut it", 0, 11, "春天来了，柳树发芽了", true, 0, false,
            "0:春!天! 1:来! 2:了! 3:柳!树! 4:发!芽! 5:了!");
        row("words: runs parted by spaces, as typed", 0, 11, "春天来了 柳树发芽了", true, 0, false,
            "0:春!天!来!了! 1:柳!树!发!芽!了!");
        row("copies: as asked", 0, 11, "永", false, 3, false, "0:永!永永永");
        row("copies: as many as fit", 0, 5, "永", false, 20, false, "0:永!永永永永");
        row("copies: none", 0, 5, "永", false, 0, false, "0:永!");
        row("each character once, at its first place", 0, 3, "永字永八字", false, 0, true, "0:永! 1:字! 2:八!");
        row("each word once", 0, 3, "春天 小鸟 春天", true, 0, true, "0:春!天! 1:小!鸟!");
        row("copy: a row breaks before a word that does not fit", 1, 5, "春天，小鸟。大熊猫", true, -1, false,
            "0:春天小鸟 1:大熊猫");
        row("copy: without words, characters run on", 1, 5, "春天，小鸟。大熊猫", false, -1, false,
            "0:春天小鸟大 1:熊猫");
    }

    void lessonRows()
    {
        QFETCH(Layout, layout);
        QFETCH(QString, expected);
        QCOMPARE(describe(layout.laidOut().allCells()), expected);
    }

    // Fading copies: from the opacity to a quarter of it, evenly; the model stays solid.
    void fadingCopies()
    {
        Layout layout {QStringLiteral("永"), {}, 11};
        layout.options.opacity = 0.8;
        layout.options.copies = 4;
        layout.options.fade = true;
        QStringList opacities;
        for (const CopyBookCell &cell : layout.laidOut().allCells())
            opacities << QString::number(cell.opacity);
        QCOMPARE(opacities.join(QLatin1Char(' ')), QStringLiteral("1 0.8 0.6 0.4 0.2"));
    }

    // The national list: each level's edges where Unihan numbers them, a character beyond the BMP among
    // them, and the lists and positions refused.
    void characterLists_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<QString>("expected");
        const char *const rows[][2] = {{"tgh1:1-2", "一\u200B乙"}, {"TGH1:3500-3500", "矗"}, {"tgh2:1-1", "乂"},
            {"tgh2:3000-3000", "齉"}, {"tgh3:1605-1605", "蠼"}, {"tgh2:504-504", "\U0002C27C"}, {"tgh3", "1605"},
            {"tgh4", "!no list"}, {"tgh1:0-5", "!run from 1 to 3500"}, {"tgh1:5-3", "!run from 1 to 3500"},
            {"tgh3:1-1606", "!run from 1 to 1605"}};
        for (const auto &row : rows)
            QTest::newRow(row[0]) << QString::fromUtf8(row[0]) << QString::fromUtf8(row[1]);
    }

    void characterLists()
    {
        QFETCH(QString, list);
        QFETCH(QString, expected);
        const CharacterLists::Selection selected = CharacterLists::select(list);
        if (expected.startsWith(QLatin1Char('!'))) {
            QVERIFY2(selected.error.contains(expected.mid(1)), qPrintable(selected.error));
            QVERIFY(selected.characters.isEmpty());
        } else if (expected.at(0).isDigit()) {
            QCOMPARE(selected.characters.split(QChar(0x200B)).size(), expected.toInt());
        } else {
            QCOMPARE(selected.characters, expected);
        }
    }

    // "reading": the table's reading of a character; "tone": a syllable in tone-marked form (empty when it
    // is not one); "override": the text with each bracketed reading taken, written as 银行(háng); "words":
    // the same with the words in braces taken too, written as 春<春天 春风>.
    void readings_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char *name, const char *kind, const QString &input, const QString &expected) {
            QTest::newRow(name) << QString::fromLatin1(kind) << input << expected;
        };
        row("行: xíng, not the rarer háng", "reading", "行", "xíng");
        row("地: first of two values", "reading", "地", "de");
        row("compatibility ideograph", "reading", "\uFA18", "lǐ");
        row("main block, no kMandarin value", "reading", "\u9FFF", QString());
        row("gui4: last vowel", "tone", "gui4", "guì");
        row("lüe4: e before ü", "tone", "lve4", "lüè");
        row("n2: the nasal takes the mark", "tone", "n2", "ń");
        row("ma5", "tone", "ma5", "ma");
        row("decomposed mark, misplaced", "tone", "hao\u030C", "hǎo");
        row("tone mark and digit", "tone", "hǎo3", QString());
        row("word", "tone", "english", QString());
        row("unclosed", "override", "好[hao3", "好[hao3");
        row("closed on the next line", "override", "好[hao3\n]你[ni3]", "好[hao3\n]你(nǐ)");
        row("after a line break", "override", "好\n[hao3]", "好\n[hao3]");
        row("after another override", "override", "好[hao3][hao4]", "好(hǎo)[hao4]");
        row("too long", "override", "好[zhuangzhuang]", "好[zhuangzhuang]");
        row("ê, as the review writes 欸's reading", "override", "欸[ế]", "欸(ế)");
        // Zhuyin, in full-width brackets too, with the neutral tone's dot before the symbols.
        row("zhuyin", "override", "银行[ㄒㄧㄥˊ]东西[˙ㄒㄧ]绿［ㄌㄨˋ］大[ㄉㄚ]", "银行(xíng)东西(xi)绿(lù)大(dā)");
        // Beyond the Basic Multilingual Plane, on the first code unit, where the layout and the reader look.
        row("after a supplementary character", "override", "\U00020BB7[zhong4]好",
            QString::fromUtf16(u"\xD842(zhòng)\xDFB7好"));
        // The teacher's words for a card, in braces after a character, before or after its reading; braces
        // that are not closed on their line or follow no character stay as typed.
        row("words", "words", "春{春天 春风}来", "春<春天 春风>来");
        row("words after a reading", "words", "行[háng]{银行}", "行(háng)<银行>");
        row("a reading after words", "words", "行｛银行｝［háng］", "行(háng)<银行>");
        row("words unclosed", "words", "春{春天\n}", "春{春天\n}");
        row("words after a space", "words", "春 {春天}", "春 {春天}");
        row("words, then more braces", "words", "春{春天}{春风}", "春<春天>{春风}");
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
            const bool words = kind == QLatin1String("words");
            const Pinyin::AnnotatedText annotated = Pinyin::parseAnnotations(input, words);
            QCOMPARE(annotated.readings.size(), annotated.text.size());
            QCOMPARE(annotated.words.size(), words ? annotated.text.size() : 0);
            for (int i = 0; i < annotated.text.size(); ++i) {
                actual += annotated.text.at(i);
                if (!annotated.readings.at(i).isEmpty())
                    actual += QLatin1Char('(') + annotated.readings.at(i) + QLatin1Char(')');
                if (words && !annotated.words.at(i).isEmpty())
                    actual += QLatin1Char('<') + annotated.words.at(i) + QLatin1Char('>');
            }
        }
        QCOMPARE(actual, expected);
    }
};

QTEST_APPLESS_MAIN(TestLayout)
#include "tst_layout.moc"
