#include "copybookcontent.h"

#include <QtTest>

namespace {

// One line per row of the layout, "row:glyphs", a model glyph followed by "!". The cells of each row
// must stand in consecutive columns from 0, which both layouts promise; a gap shows as "_".
QString describe(const QVector<CopyBookCell> &cells)
{
    QStringList rows;
    int currentRow = -1;
    int nextColumn = 0;
    QString line;
    for (const CopyBookCell &cell : cells) {
        if (cell.row != currentRow) {
            if (currentRow >= 0)
                rows << line;
            currentRow = cell.row;
            nextColumn = 0;
            line = QString::number(cell.row) + QLatin1Char(':');
        }
        for (; nextColumn < cell.column; ++nextColumn)
            line += QLatin1Char('_');
        line += cell.character;
        if (cell.opacity == 1.0)
            line += QLatin1Char('!');
        nextColumn = cell.column + 1;
    }
    if (currentRow >= 0)
        rows << line;
    return rows.join(QLatin1Char(' '));
}

CopyBookContent content(int bookType, int traceType, int blankLines, bool filter, int columns, const QString &text)
{
    CopyBookContent c;
    c.bookType = bookType;
    c.traceType = traceType;
    c.blankLines = blankLines;
    c.commonChineseOnly = filter;
    c.columns = columns;
    c.text = text;
    c.opacity = 0.5;
    c.rebuildCells();
    return c;
}

QString ideographs(int count)
{
    QString s;
    for (int i = 0; i < count; ++i)
        s += QChar(0x4E00 + i);
    return s;
}

} // namespace

class TestLayout : public QObject
{
    Q_OBJECT

private slots:
    void layout_data()
    {
        QTest::addColumn<int>("bookType");
        QTest::addColumn<int>("traceType");
        QTest::addColumn<int>("blankLines");
        QTest::addColumn<bool>("filter");
        QTest::addColumn<int>("columns");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");

        const QString two = QStringLiteral("永字");
        QTest::newRow("trace half: model and five copies per row")
            << 0 << 1 << 0 << true << 11 << two << QStringLiteral("0:永!永永永永永 1:字!字字字字字");
        QTest::newRow("trace half rounds up: 1.5 copies are 2")
            << 0 << 1 << 1 << true << 4 << two << QStringLiteral("0:永!永永 2:字!字字");
        QTest::newRow("trace none: models only") << 0 << 0 << 0 << true << 11 << two << QStringLiteral("0:永! 1:字!");
        QTest::newRow("trace all: full rows")
            << 0 << 2 << 0 << true << 3 << two << QStringLiteral("0:永!永永 1:字!字字");
        QTest::newRow("trace half, one column: no copies")
            << 0 << 1 << 0 << true << 1 << two << QStringLiteral("0:永! 1:字!");
        QTest::newRow("trace, unknown trace type acts as none")
            << 0 << 7 << 0 << true << 11 << two << QStringLiteral("0:永! 1:字!");
        QTest::newRow("trace skips breaks, spaces and controls")
            << 0 << 0 << 0 << false << 11 << QStringLiteral("永 \n\t\u3000\u0001\u200B字")
            << QStringLiteral("0:永! 1:字!");
        QTest::newRow("trace without filter: punctuation and Latin get rows")
            << 0 << 0 << 0 << false << 11 << QStringLiteral("永，a") << QStringLiteral("0:永! 1:，! 2:a!");
        QTest::newRow("trace with filter drops all but U+4E00..U+9FFF")
            << 0 << 0 << 0 << true << 11 << QStringLiteral("a1，\u3400\u9FA5\u4E00\uFA00")
            << QStringLiteral("0:\u9FA5! 1:\u4E00!");
        QTest::newRow("copy with filter keeps U+4E00..U+9FFF inclusive")
            << 1 << 1 << 0 << true << 11 << QStringLiteral("\u4DFF\u4E00\u9FFF\uA000")
            << QStringLiteral("0:\u4E00\u9FFF");
        QTest::newRow("negative blank lines count as none")
            << 0 << 0 << -3 << true << 11 << two << QStringLiteral("0:永! 1:字!");
        QTest::newRow("copy, one blank line after a partial line")
            << 1 << 1 << 1 << true << 11 << QStringLiteral("一丁丂七丄\n一丁丂七丄")
            << QStringLiteral("0:一丁丂七丄 2:一丁丂七丄");
        QTest::newRow("copy, line feed after a wrap advances one row")
            << 1 << 1 << 1 << true << 11 << ideographs(11) + QStringLiteral("\n永")
            << QStringLiteral("0:") + ideographs(11) + QStringLiteral(" 3:永");
        QTest::newRow("copy, leading line feed starts a line")
            << 1 << 1 << 2 << true << 11 << QStringLiteral("\n永") << QStringLiteral("3:永");
        QTest::newRow("copy, two line feeds after a partial line")
            << 1 << 1 << 2 << true << 11 << QStringLiteral("永\n\n字") << QStringLiteral("0:永 4:字");
        QTest::newRow("copy, a filtered character keeps the line open")
            << 1 << 1 << 1 << true << 2 << QStringLiteral("永a字，八") << QStringLiteral("0:永字 2:八");
        QTest::newRow("copy without filter: space, tab and CR take cells")
            << 1 << 1 << 0 << false << 11 << QStringLiteral("a \tb\r") << QStringLiteral("0:a \tb\r");
        QTest::newRow("copy, unknown book type lays out as copy")
            << 5 << 1 << 0 << true << 11 << two << QStringLiteral("0:永字");
        QTest::newRow("copy, trailing line feeds add no cells")
            << 1 << 1 << 1 << true << 11 << QStringLiteral("永\n\n\n") << QStringLiteral("0:永");
        QTest::newRow("no columns: no cells") << 0 << 1 << 0 << true << 0 << two << QString();
        QTest::newRow("empty text, trace") << 0 << 1 << 0 << true << 11 << QString() << QString();
        QTest::newRow("surrogate halves are separate cells")
            << 1 << 1 << 0 << false << 11 << QStringLiteral("\U00020000") << QStringLiteral("0:\U00020000");
    }

    void layout()
    {
        QFETCH(int, bookType);
        QFETCH(int, traceType);
        QFETCH(int, blankLines);
        QFETCH(bool, filter);
        QFETCH(int, columns);
        QFETCH(QString, text);
        QFETCH(QString, expected);
        const CopyBookContent c = content(bookType, traceType, blankLines, filter, columns, text);
        QCOMPARE(describe(c.cells), expected);
    }

    // With pinyin on, a bracketed reading after a character overrides the table and is not laid out; an
    // unclosed bracket is text. Off, the same text is laid out as typed.
    void pinyinReadings_data()
    {
        QTest::addColumn<bool>("pinyin");
        QTest::addColumn<QString>("expected");
        QTest::newRow("on") << true << QStringLiteral("银:yín 行:háng 字:zì [:");
        QTest::newRow("off") << false << QStringLiteral("银: 行: [: h: a: n: g: 2: ]: 字: [:");
    }

    void pinyinReadings()
    {
        QFETCH(bool, pinyin);
        QFETCH(QString, expected);
        CopyBookContent c = content(1, 1, 0, false, 20, QString());
        c.pinyin = pinyin;
        c.text = QStringLiteral("银行[hang2]字[");
        c.rebuildCells();
        QStringList cells;
        for (const CopyBookCell &cell : c.cells)
            cells << QString(cell.character) + QLatin1Char(':') + cell.pinyin;
        QCOMPARE(cells.join(QLatin1Char(' ')), expected);
    }

    void opacityReachesFadedCellsOnly()
    {
        CopyBookContent c = content(0, 2, 0, true, 11, QStringLiteral("永字"));
        c.opacity = 0.25;
        c.rebuildCells();
        for (const CopyBookCell &cell : c.cells)
            QCOMPARE(cell.opacity, cell.column == 0 ? 1.0 : 0.25);
        c.bookType = 1;
        c.rebuildCells();
        for (const CopyBookCell &cell : c.cells)
            QCOMPARE(cell.opacity, 0.25);
    }
};

QTEST_APPLESS_MAIN(TestLayout)
#include "tst_layout.moc"
