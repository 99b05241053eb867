#include "copybookwidget.h"
#include "fonts.h"
#include "pixels.h"
#include "testfiles.h"

#include <QPainter>
#include <QtTest>

namespace {

// Glyph ink is grey (text colour black over white); the default grid is red. Telling them apart lets a
// test look at glyphs without the grid getting in the way.
bool isGlyphInk(QRgb pixel)
{
    return qRed(pixel) < 250 && qAbs(qRed(pixel) - qGreen(pixel)) < 8 && qAbs(qGreen(pixel) - qBlue(pixel)) < 8;
}

bool isGridInk(QRgb pixel)
{
    return qRed(pixel) > qGreen(pixel) + 40;
}

// The glyph ink within an area of a page.
QRect inkIn(const QImage &image, const QRectF &area)
{
    return boundsWhere(area.toAlignedRect(), [&](int x, int y) { return isGlyphInk(image.pixel(x, y)); });
}

// The inside of a square, clear of its outline.
QRectF squareInside(const CopyBookWidget &book, int row, int column)
{
    const GridCell &square = book.grid()[row][column];
    return QRectF(square.x + 3, square.y + 3, book.cellSidePixels() - 6, book.cellSidePixels() - 6);
}

// The page as the first version of the program drew it, line by line: the oracle for "with every new
// option at its default, a page is what it always was".
QImage originalPage(const CopyBookWidget &book, int page)
{
    QImage image(2480, 3508, QImage::Format_ARGB32);
    QPainter painter(&image);
    painter.fillRect(image.rect(), Qt::white);
    const double s = book.cellSidePixels();
    const QColor grid = book.currentGridColor();
    for (const QVector<GridCell> &row : book.grid()) {
        for (int i = 0; i < row.size(); ++i) {
            const double x = row[i].x;
            const double y = row[i].y;
            painter.setPen(grid);
            QVector<QLineF> outline {{x, y, x + s, y}, {x + s, y, x + s, y + s}, {x, y + s, x + s, y + s}};
            if (i == 0)
                outline.prepend({x, y, x, y + s});
            for (const QLineF &line : outline)
                painter.drawLines(QVector<QLineF> {line});
            painter.setPen(QPen(QBrush(grid, Qt::SolidPattern), 1.0, Qt::DotLine, Qt::SquareCap, Qt::BevelJoin));
            painter.drawLines(QVector<QLineF> {{x, y + s * 0.5, x + s, y + s * 0.5}});
            painter.drawLines(QVector<QLineF> {{x + s * 0.5, y, x + s * 0.5, y + s}});
        }
    }
    painter.setFont(book.currentGlyphFont());
    const int rows = book.rowsPerPage();
    for (const CopyBookCell &cell : book.cellsOfPage(page)) {
        const GridCell &square = book.grid()[cell.row % rows][cell.column];
        QColor color = book.currentTextColor();
        color.setAlphaF(cell.opacity);
        painter.setPen(color);
        painter.drawText(QRectF(square.x, square.y, s, s), QString(cell.character), QTextOption(Qt::AlignCenter));
    }
    return image;
}

} // namespace

class TestRendering : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { installKaiFontSubstitution(); }

    void pageSplit_data()
    {
        QTest::addColumn<double>("cellSize");
        QTest::addColumn<int>("blankLines");
        QTest::addColumn<int>("characters");
        QTest::addColumn<int>("pages");
        QTest::newRow("none: one blank page") << 1.5 << 0 << 0 << 1;
        QTest::newRow("last cell on row 14") << 1.5 << 0 << 15 << 1;
        QTest::newRow("last cell on row 15") << 1.5 << 0 << 16 << 2;
        QTest::newRow("big cells, blank rows: a grid-only page before the last") << 10.0 << 5 << 2 << 4;
    }

    void pageSplit()
    {
        QFETCH(double, cellSize);
        QFETCH(int, blankLines);
        QFETCH(int, characters);
        QFETCH(int, pages);
        CopyBookWidget book;
        book.setCellSize(cellSize);
        book.setTraceType(0);
        book.setBlankLines(blankLines);
        book.setContent(ideographs(characters));
        QCOMPARE(book.pageCount(), pages);
        const int rows = book.rowsPerPage();
        int total = 0;
        for (int page = 0; page < pages; ++page) {
            const QVector<CopyBookCell> cells = book.cellsOfPage(page);
            for (const CopyBookCell &cell : cells)
                QCOMPARE(cell.row / rows, page);
            total += cells.size();
        }
        QCOMPARE(total, characters);
    }

    void defaultPagesAreTheOriginalOnes_data()
    {
        QTest::addColumn<int>("bookType");
        QTest::addColumn<double>("cellSize");
        QTest::addColumn<QColor>("textColor");
        QTest::newRow("trace, default cells") << 0 << 1.5 << QColor(Qt::black);
        // The cell's opacity replaces the text colour's own alpha; it does not multiply it.
        QTest::newRow("copy, big cells, a translucent text colour") << 1 << 4.0 << QColor(0, 0, 90, 10);
    }

    void defaultPagesAreTheOriginalOnes()
    {
        QFETCH(int, bookType);
        QFETCH(double, cellSize);
        QFETCH(QColor, textColor);
        CopyBookWidget book;
        book.setBookType(bookType);
        book.setCellSize(cellSize);
        book.setTextColor(textColor);
        book.setGridColor(QColor(0, 120, 60));
        // Enough for a second page: its glyphs stand in the grid rows their rows give, modulo the page.
        book.setContent(QStringLiteral("永字八法天地玄黄宇宙洪荒日月盈昃辰宿列张寒来暑往秋收冬藏闰余成岁律吕调阳"));
        QVERIFY(book.pageCount() >= 2);
        for (int page = 0; page < 2; ++page)
            QCOMPARE(book.renderPage(page), originalPage(book, page));
    }

    // Each grid style draws what only it draws: probes at a diagonal, the inner square's corner, a third
    // line and the centre cross, away from every other line.
    void gridStyles_data()
    {
        QTest::addColumn<int>("style");
        QTest::addColumn<QString>("inked");
        QTest::newRow("tian: the cross") << 0 << QStringLiteral("cross");
        QTest::newRow("mi: cross and diagonals") << 1 << QStringLiteral("cross diagonal");
        QTest::newRow("square: outline only") << 2 << QString();
        QTest::newRow("hui: the inner square") << 3 << QStringLiteral("inner");
        QTest::newRow("nine: thirds") << 4 << QStringLiteral("third");
    }

    void gridStyles()
    {
        QFETCH(int, style);
        QFETCH(QString, inked);
        CopyBookWidget book;
        book.setGridStyle(style);
        const QImage page = book.renderGridPage();
        const GridCell square = book.grid()[3][4];
        const double s = book.cellSidePixels();
        const QMap<QString, QPointF> probes {{QStringLiteral("cross"), {0.5, 0.37}},
            {QStringLiteral("diagonal"), {0.27, 0.27}}, {QStringLiteral("inner"), {0.2, 0.27}},
            {QStringLiteral("third"), {1.0 / 3, 0.13}}};
        for (auto probe = probes.cbegin(); probe != probes.cend(); ++probe) {
            // Dotted lines leave gaps: any grid ink near the point counts.
            const QPoint at(int(square.x + probe.value().x() * s), int(square.y + probe.value().y() * s));
            const QRect near = boundsWhere(
                QRect(at - QPoint(3, 3), QSize(7, 7)), [&](int x, int y) { return isGridInk(page.pixel(x, y)); });
            QVERIFY2(near.isEmpty() != inked.contains(probe.key()), qPrintable(probe.key()));
        }
        // The outline is the same in every style.
        QCOMPARE(QColor(page.pixel(int(square.x + s * 0.25), int(square.y))), QColor(Qt::red));
    }

    // A hollow trace glyph is its outline: the inside of a thick stroke stays white, the model stays solid.
    void hollowGlyphs()
    {
        CopyBookWidget book;
        book.setContent(QStringLiteral("一"));
        const QImage solid = book.renderFirstPage();
        book.setTraceStyle(1);
        const QImage hollow = book.renderFirstPage();
        const QRect model = squareInside(book, 0, 0).toAlignedRect();
        QCOMPARE(hollow.copy(model), solid.copy(model));
        const QRectF copy = squareInside(book, 0, 1);
        // The middle of the stroke: the centre of the solid glyph's ink, which is a plain horizontal bar.
        const QRect ink = inkIn(solid, copy);
        const QPoint middle = ink.center();
        QVERIFY(isGlyphInk(solid.pixel(middle)));
        QCOMPARE(QColor(hollow.pixel(middle)), QColor(Qt::white));
        QVERIFY(!inkIn(hollow, copy).isEmpty());
    }

    // Title, name fields and page numbers stay in the margins, clear of every square.
    void furnitureStaysInTheMargins()
    {
        CopyBookWidget book;
        book.setContent(QStringLiteral("永字八法"));
        const QImage plain = book.renderFirstPage();
        book.setTitle(QStringLiteral("永字八法练习"));
        book.setNameFields(true);
        book.setPageNumbers(true);
        const QImage sheet = book.renderFirstPage();
        const int margin = qFloor(1.91 / 2.54 * 300);
        const auto changedIn = [&](const QRect &area) {
            return boundsWhere(area, [&](int x, int y) { return plain.pixel(x, y) != sheet.pixel(x, y); });
        };
        QVERIFY(changedIn(sheet.rect().adjusted(0, margin, 0, -margin)).isEmpty());
        const QRect changed = changedIn(sheet.rect());
        QVERIFY(changed.bottom() > sheet.height() - margin);
        QVERIFY(changed.top() < book.grid()[0][0].y);
    }

    // With pinyin, a band above every row takes room: fewer rows, still centred, the reading in the band.
    void pinyinBand_data()
    {
        QTest::addColumn<double>("cellSize");
        QTest::addColumn<int>("rows");
        QTest::newRow("1.5 cm") << 1.5 << 10;
        QTest::newRow("1 cm") << 1.0 << 15;
    }

    void pinyinBand()
    {
        QFETCH(double, cellSize);
        QFETCH(int, rows);
        CopyBookWidget book;
        book.setCellSize(cellSize);
        book.setContent(QStringLiteral("好"));
        book.setPinyin(true);
        QCOMPARE(book.rowsPerPage(), rows);
        const double band = book.pinyinBandPixels();
        QCOMPARE(band, book.cellSidePixels() * 0.5);
        const GridCell first = book.grid().first().first();
        const double bottom = book.grid().last().first().y + book.cellSidePixels();
        QVERIFY(qAbs((first.y - band) - (3508.46 - bottom)) < 1.0);
        // The syllable's ink lies in the band over its square, the band's top line above it.
        const QImage page = book.renderFirstPage();
        QVERIFY(!inkIn(page, QRectF(first.x + 2, first.y - band + 2, book.cellSidePixels() - 4, band - 4)).isEmpty());
        QVERIFY(isGridInk(page.pixel(int(first.x + 10), int(first.y - band))));
        book.setPinyin(false);
        QCOMPARE(book.rowsPerPage(), cellSize == 1.5 ? 15 : 21);
    }

    // The preview is drawn straight at its size, centred, and must look like the whole page smooth-scaled
    // down. It keeps its picture: a plain repaint draws nothing anew, a new colour shows at once.
    void preview_data()
    {
        QTest::addColumn<QSize>("widgetSize");
        QTest::addColumn<QRect>("pageArea");
        // Page 2480 x 3508 scaled to fit: the spare space is split, the odd pixel to the right or bottom.
        QTest::newRow("tall: full width, centred down") << QSize(1000, 2000) << QRect(0, 293, 1000, 1414);
        QTest::newRow("wide, odd spare width") << QSize(708, 1000) << QRect(1, 0, 706, 1000);
        QTest::newRow("zero width paints nothing") << QSize(0, 500) << QRect();
    }

    void preview()
    {
        QFETCH(QSize, widgetSize);
        QFETCH(QRect, pageArea);
        CopyBookWidget book;
        book.setTraceType(2);
        book.setContent(QStringLiteral("永字八法天地玄黄宇宙洪荒日月盈"));
        book.resize(widgetSize);
        QImage target(qMax(widgetSize.width(), 1), qMax(widgetSize.height(), 1), QImage::Format_ARGB32);
        const QRgb sentinel = qRgb(255, 0, 255);
        target.fill(sentinel);
        const auto paint = [&] { book.render(&target, QPoint(), QRegion(), QWidget::RenderFlags()); };
        paint();
        QCOMPARE(boundsWhere(target.rect(), [&](int x, int y) { return target.pixel(x, y) != sentinel; }), pageArea);
        if (pageArea.isEmpty())
            return;
        const Difference scaled = difference(target.copy(pageArea),
            book.renderFirstPage().scaled(pageArea.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
        qInfo("preview against the scaled page: mean %.3f, 99th percentile %d", scaled.mean, scaled.percentile99);
        QVERIFY(scaled.mean <= 1.5 && scaled.percentile99 <= 40);
        const int renders = book.previewRenderCount();
        paint();
        QCOMPARE(book.previewRenderCount(), renders);
        book.setTextColor(Qt::darkGray);
        paint();
        book.setGridColor(Qt::blue);
        paint();
        QCOMPARE(book.previewRenderCount(), renders + 2);
        QVERIFY(!boundsWhere(QRect(pageArea.center(), QSize(80, 80)), [&](int x, int y) {
            return qBlue(target.pixel(x, y)) > qRed(target.pixel(x, y)) + 30;
        }).isEmpty());
    }
};

QTEST_MAIN(TestRendering)
#include "tst_rendering.moc"
