#include "copybookwidget.h"
#include "fonts.h"

#include <QFontDatabase>
#include <QtTest>
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
        QCOMPARE(book.currentGlyphFont().pixelSize(), 141);
        QVERIFY(qAbs(book.grid()[0][0].x - 265.748) < 0.01);
        QVERIFY(qAbs(book.grid()[1][0].y - book.grid()[0][0].y - 200.787) < 0.01);
    }

    void cellSizes_data()
    {
        QTest::addColumn<double>("cellSize");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("columns");
        QTest::addColumn<double>("firstXCm");
        QTest::addColumn<double>("firstYCm");
        QTest::newRow("0.5 cm") << 0.5 << 37 << 34 << 2.0 << 2.0000003;
        QTest::newRow("2 cm") << 2.0 << 11 << 8 << 2.5 << 2.8500004;
        // Exactly where 8 rows fit with the single-precision page height and row gap; a double-precision
        // height alone would give 7.
        QTest::newRow("8-row boundary: single precision") << 3.0600001011043787 << 8 << 5 << 2.85 << 1.91;
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
        for (const QVector<GridCell> &row : book.grid())
            QCOMPARE(row.size(), columns);
        const double pixelsPerCm = 300 / 2.54;
        QVERIFY(qAbs(book.grid()[0][0].x - firstXCm * pixelsPerCm) < 1e-4);
        QVERIFY(qAbs(book.grid()[0][0].y - firstYCm * pixelsPerCm) < 1e-4);
        // Laid out anew for the new column count (a Half row: the model and half the rest); font untouched.
        QCOMPARE(book.contentModel().cells.last().column, columns / 2);
        QCOMPARE(book.currentGlyphFont().pixelSize(), 141);
    }

    // Values no control offers but a stored setting can carry: a small, consistent geometry (possibly
    // none) and one blank page, never a page count divided by zero rows.
    void unusableCellSizes_data()
    {
        QTest::addColumn<double>("cellSize");
        QTest::addColumn<int>("rows");
        QTest::newRow("wider than the page: rows without columns") << 20.0 << 1;
        QTest::newRow("taller than the page: no row") << 30.0 << 0;
        QTest::newRow("zero") << 0.0 << 0;
        QTest::newRow("not a number") << std::numeric_limits<double>::quiet_NaN() << 0;
        QTest::newRow("vanishing") << 1e-300 << 0;
    }

    void unusableCellSizes()
    {
        QFETCH(double, cellSize);
        QFETCH(int, rows);
        CopyBookWidget book;
        book.setContent(QStringLiteral("永字八法"));
        book.setCellSize(cellSize);
        QCOMPARE(book.rowsPerPage(), rows);
        QCOMPARE(book.columnsPerRow(), 0);
        QVERIFY(book.contentModel().cells.isEmpty());
        QCOMPARE(book.pageCount(), 1);
        QCOMPARE(book.renderPage(0).size(), QSize(2480, 3508));
        book.setCellSize(1.5);
        QCOMPARE(book.contentModel().cells.size(), 4 * 6);
    }

    // Without an installed "楷体" the name must resolve to a Kai family, not whatever fontconfig picks.
    void kaiSubstitution()
    {
        if (QFontDatabase().families().contains(QStringLiteral("楷体")))
            QSKIP("a family named 楷体 is installed here");
        const QFontInfo info(QFont(QStringLiteral("楷体")));
        QVERIFY2(info.family().contains(QLatin1String("Kai")), qPrintable(info.family()));
    }
};

QTEST_MAIN(TestGeometry)
#include "tst_geometry.moc"
