#include "copybookwidget.h"
#include "fonts.h"

#include <QFontDatabase>
#include <QtTest>
#include <cmath>
#include <limits>

class TestGeometry : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { installKaiFontSubstitution(); }

    void freshEngine()
    {
        CopyBookWidget book;
        QCOMPARE(book.rowsPerPage(), 15);
        QCOMPARE(book.columnsPerRow(), 11);
        QCOMPARE(book.contentModel().columns, 11);
        QVERIFY(book.contentModel().cells.isEmpty());
        QCOMPARE(book.currentGlyphFont().pixelSize(), 141);
        QCOMPARE(book.currentGlyphFont().family(), QStringLiteral("楷体"));
        const PageGrid &grid = book.grid();
        QVERIFY(qAbs(grid[0][0].x - 265.748) < 0.01);
        QVERIFY(qAbs(grid[0][0].y - 259.843) < 0.01);
        QVERIFY(qAbs(grid[0][1].x - grid[0][0].x - 177.165) < 0.01);
        QVERIFY(qAbs(grid[1][0].y - grid[0][0].y - 200.787) < 0.01);
    }

    void cellSizes_data()
    {
        QTest::addColumn<double>("cellSize");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("columns");
        QTest::addColumn<double>("firstXCm");
        QTest::addColumn<double>("firstYCm");
        QTest::newRow("0.5 cm") << 0.5 << 37 << 34 << 2.0 << 2.0000003;
        QTest::newRow("1 cm") << 1.0 << 21 << 17 << 2.0 << 2.3500004;
        QTest::newRow("1.5 cm, the default") << 1.5 << 15 << 11 << 2.25 << 2.2000004;
        QTest::newRow("2 cm") << 2.0 << 11 << 8 << 2.5 << 2.8500004;
        QTest::newRow("3 cm") << 3.0 << 8 << 5 << 3.0 << 2.1500004;
        QTest::newRow("10 cm: one centred column") << 10.0 << 2 << 1 << 5.5 << 4.7500004;
    }

    void cellSizes()
    {
        QFETCH(double, cellSize);
        QFETCH(int, rows);
        QFETCH(int, columns);
        QFETCH(double, firstXCm);
        QFETCH(double, firstYCm);
        CopyBookWidget book;
        book.setContent(QStringLiteral("永字"));
        book.setCellSize(cellSize);
        QCOMPARE(book.rowsPerPage(), rows);
        QCOMPARE(book.columnsPerRow(), columns);
        QCOMPARE(book.contentModel().columns, columns);
        for (const QVector<GridCell> &row : book.grid())
            QCOMPARE(row.size(), columns);
        const double pixelsPerCm = 300 / 2.54;
        QVERIFY(qAbs(book.grid()[0][0].x - firstXCm * pixelsPerCm) < 1e-4);
        QVERIFY(qAbs(book.grid()[0][0].y - firstYCm * pixelsPerCm) < 1e-4);
        // The block of squares is centred: as much room right of the last column as left of the first.
        const double right = book.grid()[0].last().x + book.cellSidePixels();
        QVERIFY(qAbs((2480.3149 - right) - book.grid()[0][0].x) < 0.01);
        // The cells were laid out anew for the new column count; the glyph font was left alone.
        QCOMPARE(book.contentModel().cells.last().column, int(std::ceil((columns - 1) * 0.5)));
        QCOMPARE(book.currentGlyphFont().pixelSize(), 141);
    }

    // Values no control offers but a stored setting can carry: each must give a small, consistent
    // geometry (possibly none) and a page count that is not divided by zero rows.
    void unusableCellSizes_data()
    {
        QTest::addColumn<double>("cellSize");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("columns");
        QTest::newRow("wider than the page: rows without columns") << 20.0 << 1 << 0;
        QTest::newRow("taller than the page: no row") << 30.0 << 0 << 0;
        QTest::newRow("zero") << 0.0 << 0 << 0;
        QTest::newRow("negative") << -1.5 << 0 << 0;
        QTest::newRow("vanishing") << 1e-300 << 0 << 0;
        QTest::newRow("not a number") << std::numeric_limits<double>::quiet_NaN() << 0 << 0;
        QTest::newRow("infinite") << std::numeric_limits<double>::infinity() << 0 << 0;
        QTest::newRow("enormous") << 1e300 << 0 << 0;
    }

    void unusableCellSizes()
    {
        QFETCH(double, cellSize);
        QFETCH(int, rows);
        QFETCH(int, columns);
        CopyBookWidget book;
        book.setContent(QStringLiteral("永字八法"));
        book.setCellSize(cellSize);
        QCOMPARE(book.rowsPerPage(), rows);
        QCOMPARE(book.columnsPerRow(), columns);
        QCOMPARE(book.contentModel().columns, 0);
        QVERIFY(book.contentModel().cells.isEmpty());
        QCOMPARE(book.pageCount(), 1);
        QVERIFY(book.cellsOfPage(0).isEmpty());
        QCOMPARE(book.renderPage(0).size(), QSize(2480, 3508));
        // A usable size afterwards brings everything back.
        book.setCellSize(1.5);
        QCOMPARE(book.contentModel().cells.size(), 4 * 6);
    }

    void glyphPixelSize_data()
    {
        QTest::addColumn<double>("sizeCm");
        QTest::addColumn<int>("pixels");
        QTest::newRow("0.5 cm") << 0.5 << 59;
        QTest::newRow("1.2 cm") << 1.2 << 141;
        QTest::newRow("single-precision 1.2 cm") << double(1.2f) << 141;
        QTest::newRow("10 cm") << 10.0 << 1181;
        QTest::newRow("zero: smallest size") << 0.0 << 1;
        QTest::newRow("negative: smallest size") << -2.0 << 1;
        QTest::newRow("not a number: smallest size") << std::numeric_limits<double>::quiet_NaN() << 1;
        QTest::newRow("infinite: largest size") << std::numeric_limits<double>::infinity() << 4096;
        QTest::newRow("past an int: largest size") << 1e12 << 4096;
    }

    void glyphPixelSize()
    {
        QFETCH(double, sizeCm);
        QFETCH(int, pixels);
        CopyBookWidget book;
        book.setContent(QStringLiteral("永"));
        const auto cellsBefore = book.contentModel().cells.size();
        book.setFontSize(sizeCm);
        QCOMPARE(book.currentGlyphFont().pixelSize(), pixels);
        QCOMPARE(book.rowsPerPage(), 15);
        QCOMPARE(book.contentModel().cells.size(), cellsBefore);

        book.setFontNameAndSize(QStringLiteral("AR PL UKai CN"), sizeCm);
        QCOMPARE(book.currentGlyphFont().pixelSize(), pixels);
        QCOMPARE(book.currentGlyphFont().family(), QStringLiteral("AR PL UKai CN"));
        // Whatever the size, a page renders.
        QVERIFY(!book.renderFirstPage().isNull());
    }

    void kaiSubstitution()
    {
        // Without an installed "楷体", the name must resolve to a Kai family rather than whatever
        // fontconfig picks for CJK.
        if (QFontDatabase().families().contains(QStringLiteral("楷体")))
            QSKIP("a family named 楷体 is installed here");
        const QFontInfo info(QFont(QStringLiteral("楷体")));
        QVERIFY2(info.family().contains(QLatin1String("Kai")), qPrintable(info.family()));
    }
};

QTEST_MAIN(TestGeometry)
#include "tst_geometry.moc"
