#include "copybookwidget.h"
#include "fonts.h"
#include "pixels.h"
#include "testfiles.h"

#include <QPainter>
#include <QWheelEvent>
#include <QtTest>

using namespace CopyBookOptions;

namespace {

// The page as the first version of the program drew it, line by line: the oracle for "with every new
// option at its default, a page is what it always was".
QImage originalPage(const CopyBook &book, int page)
{
    QImage image(2480, 3508, QImage::Format_ARGB32);
    QPainter painter(&image);
    painter.fillRect(image.rect(), Qt::white);
    const double s = book.cellSidePixels();
    const QColor grid = book.options().gridColor;
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
    painter.setFont(book.glyphFont());
    const int rows = book.rowsPerPage();
    for (const CopyBookCell &cell : book.contentModel().cellsOfPage(page)) {
        const GridCell &square = book.grid()[cell.row % rows][cell.column];
        QColor color = book.options().textColor;
        color.setAlphaF(cell.opacity);
        painter.setPen(color);
        painter.drawText(QRectF(square.x, square.y, s, s), QString(cell.character), QTextOption(Qt::AlignCenter));
    }
    return image;
}

} // namespace

// The engine's own operations and the preview of a page.
class TestCopyBookWidget : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { installKaiFontSubstitution(); }

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
        const CopyBook &engine = book.copyBook();
        QVERIFY(engine.pageCount() >= 2);
        // The operations the program itself does not call make the same pages: every page at once, the
        // glyphs drawn alone over the grid page, the plain squares drawn with their own pen.
        const QList<QImage> all = book.renderAllPages();
        QCOMPARE(all.size(), engine.pageCount());
        for (int page = 0; page < 2; ++page) {
            const QString name = QStringLiteral("%1-page%2").arg(QTest::currentDataTag()).arg(page);
            const QImage drawn = engine.pages().renderPage(page);
            COMPARE_PICTURES(drawn, originalPage(engine, page), name);
            COMPARE_PICTURES(all[page], drawn, name + QStringLiteral("-all"));
            QImage parts = book.renderGridPage();
            QPainter painter(&parts);
            book.drawGlyphs(&painter, book.cellsOfPage(page));
            painter.end();
            COMPARE_PICTURES(parts, drawn, name + QStringLiteral("-parts"));
        }
        COMPARE_PICTURES(book.renderFirstPage(), all[0], QStringLiteral("%1-first").arg(QTest::currentDataTag()));
        QImage squares(all[0].size(), all[0].format());
        squares.fill(Qt::white);
        QPainter painter(&squares);
        for (const QVector<GridCell> &row : engine.grid()) {
            for (int column = 0; column < row.size(); ++column)
                row[column].draw(&painter, engine.cellSidePixels(), engine.options().gridColor, column == 0);
        }
        painter.end();
        COMPARE_PICTURES(squares, book.renderGridPage(), QStringLiteral("%1-squares").arg(QTest::currentDataTag()));
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
        book.setTraceType(static_cast<int>(TraceType::All));
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

    // The preview turns its page with the page keys, the arrows, Home and End and the wheel, within the
    // book, and keeps it across changes while it is there. Over a book of more pages than one the corner
    // says which page it is; the rest is that page's own picture.
    void turningPages_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<int>("page");
        QTest::newRow("starts on page 1") << "" << 0;
        QTest::newRow("page keys, not before the first") << "PgDown PgDown PgUp PgUp PgUp PgDown" << 1;
        QTest::newRow("arrows") << "Right Down Down Up Left" << 1;
        QTest::newRow("End, not past the last") << "End PgDown Down" << 11;
        QTest::newRow("Home") << "End Left Home" << 0;
        QTest::newRow("wheel: towards the user turns on") << "wheel:-360 wheel:120" << 2;
        QTest::newRow("wheel: half notches add up") << "wheel:-60 wheel:-60 wheel:-60" << 1;
        QTest::newRow("a change keeps the page") << "PgDown PgDown opacity" << 2;
        QTest::newRow("fewer pages: the last left") << "End shorter" << 5;
        QTest::newRow("one page: no indicator") << "End single" << 0;
    }

    void turningPages()
    {
        QFETCH(QString, steps);
        QFETCH(int, page);
        CopyBookWidget book;
        book.setTraceType(static_cast<int>(TraceType::All));
        book.setContent(ideographs(12 * 15));
        book.resize(500, 700);
        QCOMPARE(book.copyBook().pageCount(), 12);
        for (const QString &step : steps.split(' ', Qt::SkipEmptyParts)) {
            if (step.startsWith("wheel:")) {
                QWheelEvent wheel(QPointF(250, 350), QPointF(250, 350), QPoint(), QPoint(0, step.mid(6).toInt()),
                    Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
                QCoreApplication::sendEvent(&book, &wheel);
            } else if (step == "opacity" || step == "shorter" || step == "single") {
                book.setOpacity(0.3);
                book.setContent(ideographs(step == "opacity" ? 12 * 15 : step == "shorter" ? 6 * 15 : 3));
            } else {
                QTest::keyClick(&book, Qt::Key(QKeySequence(step)[0]));
            }
        }
        QCOMPARE(book.shownPage(), page);
        QImage shown(book.size(), QImage::Format_ARGB32_Premultiplied);
        shown.fill(Qt::white);
        book.render(&shown, QPoint(), QRegion(), QWidget::RenderFlags());
        const QSize area = book.copyBook().pageSizePixels().scaled(book.size(), Qt::KeepAspectRatio);
        QImage expected(area, QImage::Format_ARGB32_Premultiplied);
        GlyphStamps stamps;
        book.copyBook().pages().renderPreviewInto(&expected, &stamps, page);
        const QRect pageArea(QPoint((book.width() - area.width()) / 2, (book.height() - area.height()) / 2), area);
        const QRect top(0, 0, area.width(), area.height() * 3 / 4);
        QCOMPARE(shown.copy(pageArea).copy(top), expected.copy(top));
        QCOMPARE(shown.copy(pageArea) != expected, book.copyBook().pageCount() > 1);
    }
};

QTEST_MAIN(TestCopyBookWidget)
#include "tst_copybookwidget.moc"
