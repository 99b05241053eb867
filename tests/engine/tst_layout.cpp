#include "copybookcontent.h"
#include "testfiles.h"

#include <QtTest>

namespace {

// One line per row of the layout, "row:glyphs", a model glyph (drawn solid) followed by "!". The cells of
// each row must stand in consecutive columns from 0, which both layouts promise; a gap shows as "_".
QString describe(const QVector<CopyBookCell> &cells)
{
    QStringList rows;
    int currentRow = -1;
    int nextColumn = 0;
    for (const CopyBookCell &cell : cells) {
        if (cell.row != currentRow) {
            currentRow = cell.row;
            nextColumn = 0;
            rows << QString::number(cell.row) + QLatin1Char(':');
        }
        for (; nextColumn < cell.column; ++nextColumn)
            rows.last() += QLatin1Char('_');
        rows.last() += cell.character + QString(cell.opacity == 1.0 ? QStringLiteral("!") : QString());
        nextColumn = cell.column + 1;
    }
    return rows.join(QLatin1Char(' '));
}

} // namespace

Q_DECLARE_METATYPE(CopyBookContent)

class TestLayout : public QObject
{
    Q_OBJECT

private slots:
    void layout_data()
    {
        QTest::addColumn<CopyBookContent>("content");
        QTest::addColumn<QString>("expected");
        // Book type (0 trace, 1 copy), trace type (0 none, 1 half, 2 all), blank lines, the common-Chinese
        // filter, columns, text.
        const auto row = [](const char *name, int book, int trace, int blank, bool filter, int columns,
                             const QString &text, const QString &expected) {
            CopyBookContent c;
            c.bookType = book;
            c.traceType = trace;
            c.blankLines = blank;
            c.commonChineseOnly = filter;
            c.columns = columns;
            c.text = text;
            QTest::newRow(name) << c << expected;
        };
        const QString two = QStringLiteral("永字");
        row("trace half: model and five copies per row", 0, 1, 0, true, 11, two, "0:永!永永永永永 1:字!字字字字字");
        row("trace half rounds up: 1.5 copies are 2", 0, 1, 1, true, 4, two, "0:永!永永 2:字!字字");
        row("trace none: models only", 0, 0, 0, true, 11, two, "0:永! 1:字!");
        row("trace all: full rows", 0, 2, 0, true, 3, two, "0:永!永永 1:字!字字");
        row("trace half, one column: no copies", 0, 1, 0, true, 1, two, "0:永! 1:字!");
        row("trace, unknown trace type acts as none", 0, 7, 0, true, 11, two, "0:永! 1:字!");
        row("trace skips breaks, spaces and controls", 0, 0, 0, false, 11, "永 \n\t\u3000\u0001\u200B字",
            "0:永! 1:字!");
        row("trace without filter: punctuation and Latin get rows", 0, 0, 0, false, 11, "永，a", "0:永! 1:，! 2:a!");
        row("trace with filter drops all but U+4E00..U+9FFF", 0, 0, 0, true, 11, "a1，\u3400\u9FA5\u4E00\uFA00",
            "0:\u9FA5! 1:\u4E00!");
        row("copy with filter keeps U+4E00..U+9FFF inclusive", 1, 1, 0, true, 11, "\u4DFF\u4E00\u9FFF\uA000",
            "0:\u4E00\u9FFF");
        row("negative blank lines count as none", 0, 0, -3, true, 11, two, "0:永! 1:字!");
        row("copy, one blank line after a partial line", 1, 1, 1, true, 11, "一丁丂七丄\n一丁丂七丄",
            "0:一丁丂七丄 2:一丁丂七丄");
        row("copy, line feed after a wrap advances one row", 1, 1, 1, true, 11, ideographs(11) + "\n永",
            "0:" + ideographs(11) + " 3:永");
        row("copy, leading line feed starts a line", 1, 1, 2, true, 11, "\n永", "3:永");
        row("copy, two line feeds after a partial line", 1, 1, 2, true, 11, "永\n\n字", "0:永 4:字");
        row("copy, a filtered character keeps the line open", 1, 1, 1, true, 2, "永a字，八", "0:永字 2:八");
        row("copy without filter: space, tab and CR take cells", 1, 1, 0, false, 11, "a \tb\r", "0:a \tb\r");
        row("copy, unknown book type lays out as copy", 5, 1, 0, true, 11, two, "0:永字");
        row("copy, trailing line feeds add no cells", 1, 1, 1, true, 11, "永\n\n\n", "0:永");
        // Without pinyin a bracketed reading is text like any other.
        row("copy, brackets without pinyin", 1, 1, 0, false, 11, "行[hang2]", "0:行[hang2]");
        row("no columns: no cells", 0, 1, 0, true, 0, two, QString());
        row("empty text, trace", 0, 1, 0, true, 11, QString(), QString());
        row("surrogate halves are separate cells", 1, 1, 0, false, 11, "\U00020000", "0:\U00020000");
    }

    // Models are solid; every other cell takes the book's opacity.
    void layout()
    {
        QFETCH(CopyBookContent, content);
        QFETCH(QString, expected);
        content.opacity = 0.25;
        content.rebuildCells();
        QCOMPARE(describe(content.cells), expected);
        for (const CopyBookCell &cell : content.cells)
            QVERIFY(cell.opacity == 1.0 || cell.opacity == 0.25);
    }
};

QTEST_APPLESS_MAIN(TestLayout)
#include "tst_layout.moc"
