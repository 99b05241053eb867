#include "copybook.h"
#include "fonts.h"
#include "testfiles.h"

#include <QtTest>
#include <functional>
#include <limits>
#include <numeric>

using namespace CopyBookOptions;

Q_DECLARE_METATYPE(CopyBookOptions::Paper)
Q_DECLARE_METATYPE(CopyBookOptions::BookType)
Q_DECLARE_METATYPE(QVector<std::function<void(CopyBookOptions::OptionValues &)>>)

constexpr double kPixelsPerCm = 300 / 2.54;

// Where the squares of a page go for the options, and which rows of the text each page holds.
class TestGeometry : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { installKaiFontSubstitution(); }

    // The squares a cell size and a paper give: rows and columns, where the first one stands (cm from the
    // page's corner), 0.2 cm between rows, centred both ways, the page's size where it is not A4 portrait;
    // the text (a Trace/All book, a row per character, blank rows after each) then goes onto pages a page of
    // rows at a time. Sizes no control offers but a stored setting can carry give no usable grid and one
    // blank page, never a page count divided by zero rows.
    void geometry_data()
    {
        QTest::addColumn<double>("cellSize");
        QTest::addColumn<int>("blankLines");
        QTest::addColumn<bool>("pinyin");
        QTest::addColumn<bool>("strokeOrder");
        QTest::addColumn<Paper>("paper");
        QTest::addColumn<bool>("landscape");
        QTest::addColumn<int>("characters");
        QTest::addColumn<QString>("expected");
        const auto row
            = [](const char *name, double cellSize, int blankLines, int characters, const char *expected,
                  bool pinyin = false, bool strokeOrder = false, Paper paper = Paper::A4, bool landscape = false) {
                  QTest::newRow(name) << cellSize << blankLines << pinyin << strokeOrder << paper << landscape
                                      << characters << QString(expected);
              };
        const auto onPaper = [&](const char *name, Paper paper, bool landscape, const char *expected) {
            row(name, 1.5, 0, 2, expected, false, false, paper, landscape);
        };
        row("0.5 cm", 0.5, 0, 2, "37x34 at 2,2 cm; 1 pages");
        row("1.5 cm, no text: one blank page", 1.5, 0, 0, "15x11 at 2.25,2.2 cm; 1 pages");
        row("1.5 cm, last glyph on row 14", 1.5, 0, 15, "15x11 at 2.25,2.2 cm; 1 pages");
        row("1.5 cm, last glyph on row 15", 1.5, 0, 16, "15x11 at 2.25,2.2 cm; 2 pages");
        // Exactly where 8 rows fit with the single-precision page height and row gap; a double-precision
        // height alone would give 7.
        row("8-row boundary: single precision", 3.0600001011043787, 0, 2, "8x5 at 2.85,1.91 cm; 1 pages");
        row("10 cm, blank rows: one centred column, a grid-only page before the last", 10.0, 5, 2,
            "2x1 at 5.5,4.75 cm; 4 pages");
        // A pinyin band half a square high above every row takes room: fewer rows, still centred (at 1.5
        // cm the first band starts 2.7 cm from the top and the last row ends 2.7 cm from the bottom).
        row("1.5 cm with pinyin bands", 1.5, 0, 2, "10x11 at 2.25,3.45 cm; 1 pages", true);
        row("1 cm with pinyin bands", 1.0, 0, 2, "15x17 at 2,2.7 cm; 1 pages", true);
        // A line of stroke-order frames half a square high takes as much room as a band; with both, the
        // band stands over the squares and the frames over the band.
        row("1.5 cm with stroke-order frames", 1.5, 0, 2, "10x11 at 2.25,3.45 cm; 1 pages", false, true);
        row("1 cm with frames and pinyin bands", 1.0, 0, 2, "11x17 at 2,3.85 cm; 1 pages", true, true);
        row("wider than the page: rows without columns", 20.0, 0, 2, "1x0; 1 pages");
        row("taller than the page: no row", 30.0, 0, 2, "0x0; 1 pages");
        row("zero", 0.0, 0, 2, "0x0; 1 pages");
        row("not a number", std::numeric_limits<double>::quiet_NaN(), 0, 2, "0x0; 1 pages");
        row("vanishing", 1e-300, 0, 2, "0x0; 1 pages");
        // The same margins on every paper.
        onPaper("A4 landscape", Paper::A4, true, "10x17 at 2.1,2.1 cm on 3508x2480; 1 pages");
        onPaper("A5", Paper::A5, false, "10x7 at 2.15,2.1 cm on 1748x2480; 1 pages");
        onPaper("B5, ISO", Paper::B5, false, "12x9 at 2.05,2.4 cm on 2079x2953; 1 pages");
        onPaper("Letter", Paper::Letter, false, "14x11 at 2.545,2.17 cm on 2550x3300; 1 pages");
        onPaper("A3 landscape", Paper::A3, true, "15x25 at 2.25,2.2 cm on 4961x3508; 1 pages");
    }

    void geometry()
    {
        QFETCH(double, cellSize);
        QFETCH(int, blankLines);
        QFETCH(bool, pinyin);
        QFETCH(bool, strokeOrder);
        QFETCH(Paper, paper);
        QFETCH(bool, landscape);
        QFETCH(int, characters);
        QFETCH(QString, expected);
        CopyBook book;
        OptionValues options;
        options.traceType = TraceType::All;
        options.blankLines = blankLines;
        options.pinyin = pinyin;
        options.strokeOrder = strokeOrder;
        options.cellSize = cellSize;
        options.paper = paper;
        options.landscape = landscape;
        book.setOptions(options);
        book.setText(ideographs(characters));
        const QSize pageSize = book.pages().renderPage(book.pageCount() - 1).size();
        QString actual = QStringLiteral("%1x%2").arg(book.rowsPerPage()).arg(book.columnsPerRow());
        if (book.columnsPerRow() > 0) {
            const GridCell first = book.grid()[0][0];
            const GridCell last = book.grid().last().last();
            const double side = book.cellSidePixels();
            actual += QStringLiteral(" at %1,%2 cm").arg(first.x / kPixelsPerCm).arg(first.y / kPixelsPerCm);
            const double band = pinyin ? side / 2 : 0.0;
            QCOMPARE(book.pinyinBandPixels(), band);
            const double frames = strokeOrder ? side / 2 : 0.0;
            QCOMPARE(book.strokeFramesPixels(), frames);
            QVERIFY(qAbs(book.grid()[1][0].y - first.y - (cellSize + 0.2) * kPixelsPerCm - band - frames) < 1e-3);
            QVERIFY(qAbs(first.x - (pageSize.width() - last.x - side)) < 1);
            QVERIFY(qAbs(first.y - band - frames - (pageSize.height() - last.y - side)) < 1);
        }
        if (pageSize != QSize(2480, 3508))
            actual += QStringLiteral(" on %1x%2").arg(pageSize.width()).arg(pageSize.height());
        QCOMPARE(actual + QStringLiteral("; %1 pages").arg(book.pageCount()), expected);
        for (const QVector<GridCell> &row : book.grid())
            QCOMPARE(row.size(), book.columnsPerRow());
        // Laid out anew for the column count; the font untouched.
        QCOMPARE(book.contentModel().cellCount(), characters * book.columnsPerRow());
        QCOMPARE(book.glyphFont().pixelSize(), 141);
    }

    // Character cards head a Trace book's rows, a line of them per two characters of the longest word at 11
    // squares to a row, the stroke-order frames under them with a strip for the strokes' names: at the
    // default size on A4 with pinyin and stroke order a page holds five rows of characters, or nine
    // characters in words of three. A Copy book has none. Everything above a row stays between the page's margins and
    // the row before.
    void cards_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("words");
        QTest::addColumn<BookType>("bookType");
        QTest::addColumn<QString>("expected");
        QTest::newRow("characters") << "永字" << false << BookType::Trace << "5 rows, 1 line of cards, named frames";
        QTest::newRow("a word of two side by side")
            << "春天" << true << BookType::Trace << "5 rows, 1 line of cards, named frames";
        QTest::newRow("a word of three on two lines")
            << "大熊猫" << true << BookType::Trace << "3 rows, 2 line of cards, named frames";
        QTest::newRow("a Copy book has none")
            << "永字" << false << BookType::Copy << "10 rows, 0 line of cards, frames";
    }

    void cards()
    {
        QFETCH(QString, text);
        QFETCH(bool, words);
        QFETCH(BookType, bookType);
        QFETCH(QString, expected);
        OptionValues options;
        options.card = options.pinyin = options.strokeOrder = true;
        options.words = words;
        options.bookType = bookType;
        CopyBook book;
        book.setOptions(options);
        book.setText(text);
        const CopyBookPages pages = book.pages();
        QCOMPARE(QStringLiteral("%1 rows, %2 line of cards, %3")
                     .arg(book.rowsPerPage())
                     .arg(book.cardLines())
                     .arg(pages.strokeFramesNamed ? "named frames" : "frames"),
            expected);
        const double above = pages.pinyinBand + pages.strokeFramesHeight + pages.cardsHeight;
        QVERIFY(book.grid().first().first().y - above >= book.marginPixels() - 1e-6);
        for (int row = 1; row < book.rowsPerPage(); ++row)
            QVERIFY(book.grid()[row].first().y - above > book.grid()[row - 1].first().y + pages.cellSide);
    }

    // The grid and the cells follow from the options and the text, whatever order they were set in: every
    // order of the changes (the text among them) gives what setting them all at once gives.
    void orderOfChanges_data()
    {
        using Change = std::function<void(OptionValues &)>;
        QTest::addColumn<QVector<Change>>("changes");
        QTest::addColumn<QString>("text");
        const Change copyBook = [](OptionValues &o) { o.bookType = BookType::Copy; };
        const Change strokeOrder = [](OptionValues &o) { o.strokeOrder = true; };
        const Change pinyin = [](OptionValues &o) { o.pinyin = true; };
        const Change smallCells = [](OptionValues &o) { o.cellSize = 1.0; };
        const Change letter = [](OptionValues &o) { o.paper = Paper::Letter; };
        const Change everyCharacter = [](OptionValues &o) { o.commonChineseOnly = false; };
        const Change traceAll = [](OptionValues &o) { o.traceType = TraceType::All; };
        QTest::newRow("stroke order, then a Copy book") << QVector<Change> {strokeOrder, copyBook} << "永字";
        QTest::newRow("frames, band, cells and paper")
            << QVector<Change> {strokeOrder, pinyin, smallCells, letter} << "鬱永";
        QTest::newRow("a filtered character of many strokes")
            << QVector<Change> {strokeOrder, everyCharacter, traceAll} << QStringLiteral("永䴉");
    }

    void orderOfChanges()
    {
        using Change = std::function<void(OptionValues &)>;
        QFETCH(QVector<Change>, changes);
        QFETCH(QString, text);
        const auto layoutOf = [](const CopyBook &book) {
            QStringList cells;
            book.contentModel().forEachCell([&](const CopyBookCell &cell) {
                cells << QStringLiteral("%1@%2,%3").arg(cell.text()).arg(cell.row).arg(cell.column);
                return true;
            });
            return QStringLiteral("%1x%2 lines %3 first %4,%5: %6")
                .arg(book.rowsPerPage())
                .arg(book.columnsPerRow())
                .arg(book.strokeFrameLines())
                .arg(book.grid().value(0).value(0).x)
                .arg(book.grid().value(0).value(0).y)
                .arg(cells.join(QLatin1Char(' ')));
        };
        OptionValues all;
        for (const Change &change : changes)
            change(all);
        CopyBook atOnce;
        atOnce.setOptions(all);
        atOnce.setText(text);
        const QString expected = layoutOf(atOnce);
        // The text goes in at every place among the changes, which go in every order.
        QVector<int> order(changes.size() + 1);
        std::iota(order.begin(), order.end(), 0);
        int orders = 0;
        do {
            CopyBook book;
            OptionValues options;
            for (const int step : order) {
                if (step == changes.size()) {
                    book.setText(text);
                    continue;
                }
                changes[step](options);
                book.setOptions(options);
            }
            QCOMPARE(layoutOf(book), expected);
            ++orders;
        } while (std::next_permutation(order.begin(), order.end()));
        QVERIFY(orders >= 6);
    }
};

QTEST_MAIN(TestGeometry)
#include "tst_geometry.moc"
