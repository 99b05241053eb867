#include "copybookwidget.h"
#include "fonts.h"
#include "pixels.h"
#include "strokeframes.h"
#include "strokeorder.h"
#include "testfiles.h"

#include <QFontDatabase>
#include <QPainter>
#include <QWheelEvent>
#include <QtTest>
#include <limits>

namespace {

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

Q_DECLARE_METATYPE(CopyBookOptions::SheetOptions)

// The page: where its squares go, which glyphs each page holds, how it is drawn, and the preview of it.
class TestPages : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { installKaiFontSubstitution(); }

    // The squares a cell size gives: rows and columns, where the first one stands (cm from the page's
    // corner), 0.2 cm between rows; the text (a Trace/All book, a row per character, blank rows after each)
    // then goes onto pages a page of rows at a time. Sizes no control offers but a stored setting can carry
    // give no usable grid and one blank page, never a page count divided by zero rows.
    void geometry_data()
    {
        QTest::addColumn<double>("cellSize");
        QTest::addColumn<int>("blankLines");
        QTest::addColumn<bool>("pinyin");
        QTest::addColumn<bool>("strokeOrder");
        QTest::addColumn<int>("characters");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char *name, double cellSize, int blankLines, int characters, const char *expected,
                             bool pinyin = false, bool strokeOrder = false) {
            QTest::newRow(name) << cellSize << blankLines << pinyin << strokeOrder << characters << QString(expected);
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
    }

    void geometry()
    {
        QFETCH(double, cellSize);
        QFETCH(int, blankLines);
        QFETCH(bool, pinyin);
        QFETCH(bool, strokeOrder);
        QFETCH(int, characters);
        QFETCH(QString, expected);
        CopyBookWidget book;
        book.setTraceType(CopyBookOptions::TraceAll);
        book.setBlankLines(blankLines);
        book.setPinyin(pinyin);
        book.setStrokeOrder(strokeOrder);
        book.setContent(ideographs(characters));
        book.setCellSize(cellSize);
        const double pixelsPerCm = 300 / 2.54;
        QString actual = QStringLiteral("%1x%2").arg(book.rowsPerPage()).arg(book.columnsPerRow());
        if (book.columnsPerRow() > 0) {
            const GridCell first = book.grid()[0][0];
            actual += QStringLiteral(" at %1,%2 cm").arg(first.x / pixelsPerCm).arg(first.y / pixelsPerCm);
            const double band = pinyin ? book.cellSidePixels() / 2 : 0.0;
            QCOMPARE(book.pinyinBandPixels(), band);
            const double frames = strokeOrder ? book.cellSidePixels() / 2 : 0.0;
            QCOMPARE(book.copyBook().strokeFramesPixels(), frames);
            QVERIFY(qAbs(book.grid()[1][0].y - first.y - (cellSize + 0.2) * pixelsPerCm - band - frames) < 1e-3);
        }
        QCOMPARE(actual + QStringLiteral("; %1 pages").arg(book.pageCount()), expected);
        for (const QVector<GridCell> &row : book.grid())
            QCOMPARE(row.size(), book.columnsPerRow());
        // Laid out anew for the column count, each glyph on the page of its row; the font untouched.
        QCOMPARE(book.contentModel().cellCount(), characters * book.columnsPerRow());
        int onPages = 0;
        for (int page = 0; page < book.pageCount(); ++page) {
            for (const CopyBookCell &cell : book.cellsOfPage(page)) {
                QCOMPARE(cell.row / book.rowsPerPage(), page);
                ++onPages;
            }
        }
        QCOMPARE(onPages, book.contentModel().cellCount());
        QCOMPARE(book.currentGlyphFont().pixelSize(), 141);
        QCOMPARE(book.renderPage(book.pageCount() - 1).size(), QSize(2480, 3508));
    }

    // The paper at the default cell size: rows and columns as many as fit in the same margins, the grid
    // centred both ways (cm left over around it, across then down), the page of that size.
    void paper_data()
    {
        using namespace CopyBookOptions;
        QTest::addColumn<int>("paper");
        QTest::addColumn<bool>("landscape");
        QTest::addColumn<QString>("expected");
        QTest::newRow("A4 as always") << int(PaperA4) << false << "15x11 at 2.25,2.2 cm; 2480x3508";
        QTest::newRow("A4 landscape") << int(PaperA4) << true << "10x17 at 2.1,2.1 cm; 3508x2480";
        QTest::newRow("A5") << int(PaperA5) << false << "10x7 at 2.15,2.1 cm; 1748x2480";
        QTest::newRow("B5, ISO") << int(PaperB5) << false << "12x9 at 2.05,2.4 cm; 2079x2953";
        QTest::newRow("Letter") << int(PaperLetter) << false << "14x11 at 2.54,2.17 cm; 2550x3300";
        QTest::newRow("A3 landscape") << int(PaperA3) << true << "15x25 at 2.25,2.2 cm; 4961x3508";
    }

    void paper()
    {
        QFETCH(int, paper);
        QFETCH(bool, landscape);
        QFETCH(QString, expected);
        CopyBookWidget book;
        CopyBookOptions::SheetOptions sheet;
        sheet.paper = paper;
        sheet.landscape = landscape;
        book.setSheet(sheet);
        const double pixelsPerCm = 300 / 2.54;
        const GridCell first = book.grid().first().first();
        const GridCell last = book.grid().last().last();
        const QSize page = book.renderPage(0).size();
        QCOMPARE(QStringLiteral("%1x%2 at %3,%4 cm; %5x%6")
                     .arg(book.rowsPerPage())
                     .arg(book.columnsPerRow())
                     .arg(first.x / pixelsPerCm, 0, 'g', 3)
                     .arg(first.y / pixelsPerCm, 0, 'g', 3)
                     .arg(page.width())
                     .arg(page.height()),
            expected);
        QVERIFY(qAbs(first.x - (page.width() - last.x - book.cellSidePixels())) < 1);
        QVERIFY(qAbs(first.y - (page.height() - last.y - book.cellSidePixels())) < 1);
    }

    // Without an installed "楷体" the name must resolve to a Kai family, not whatever fontconfig picks.
    void kaiSubstitution()
    {
        if (QFontDatabase().families().contains(QStringLiteral("楷体")))
            QSKIP("a family named 楷体 is installed here");
        const QFontInfo info(QFont(QStringLiteral("楷体")));
        QVERIFY2(info.family().contains(QLatin1String("Kai")), qPrintable(info.family()));
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
        // The operations the program itself does not call make the same pages: every page at once, the
        // glyphs drawn alone over the grid page, the plain squares drawn with their own pen.
        const QList<QImage> all = book.renderAllPages();
        QCOMPARE(all.size(), book.pageCount());
        for (int page = 0; page < 2; ++page) {
            const QImage drawn = book.renderPage(page);
            const QImage original = originalPage(book, page);
            if (drawn != original)
                QFAIL(qPrintable(
                    keepMismatch(drawn, original, QStringLiteral("%1-page%2").arg(QTest::currentDataTag()).arg(page))));
            QImage parts = book.renderGridPage();
            QPainter painter(&parts);
            book.drawGlyphs(&painter, book.cellsOfPage(page));
            painter.end();
            QVERIFY(all[page] == drawn && parts == drawn);
        }
        QImage squares(all[0].size(), all[0].format());
        squares.fill(Qt::white);
        QPainter painter(&squares);
        for (const QVector<GridCell> &row : book.grid()) {
            for (int column = 0; column < row.size(); ++column)
                row[column].draw(&painter, book.cellSidePixels(), book.currentGridColor(), column == 0);
        }
        painter.end();
        QVERIFY(squares == book.renderGridPage());
    }

    // Every option beyond the first version's page, against pictures of the page's top and foot that this
    // test made and that were checked by eye (LATTISCRIBE_NEW_PICTURES=1 makes them anew). Antialiasing may
    // differ by a few levels between machines; a line or a glyph drawn otherwise differs by far more.
    void sheetOptions_data()
    {
        using namespace CopyBookOptions;
        QTest::addColumn<SheetOptions>("sheet");
        const auto row = [](const char *name, const std::function<void(SheetOptions *)> &set) {
            SheetOptions sheet;
            set(&sheet);
            QTest::newRow(name) << sheet;
        };
        row("mi-grid", [](SheetOptions *s) { s->gridStyle = GridMi; });
        row("square-grid", [](SheetOptions *s) { s->gridStyle = GridSquare; });
        row("hui-grid", [](SheetOptions *s) { s->gridStyle = GridHui; });
        row("nine-grid", [](SheetOptions *s) { s->gridStyle = GridNine; });
        row("hollow-and-furniture", [](SheetOptions *s) {
            *s = {GridTian, TraceHollow, QStringLiteral("永字八法练习"), true, true, false, false};
        });
        row("pinyin", [](SheetOptions *s) { s->pinyin = true; });
        row("pinyin-only", [](SheetOptions *s) { s->pinyinOnly = true; });
        row("stroke-order", [](SheetOptions *s) { s->strokeOrder = true; });
    }

    void sheetOptions()
    {
        QFETCH(CopyBookOptions::SheetOptions, sheet);
        CopyBookWidget book;
        book.setContent(QStringLiteral("永"));
        book.setSheet(sheet);
        // The title, the names and the first row, and the foot with the page number, in grey levels.
        const QImage page = book.renderFirstPage();
        QImage picture(page.width(), 720, QImage::Format_RGB32);
        QPainter painter(&picture);
        painter.drawImage(0, 0, page, 0, 0, page.width(), 560);
        painter.drawImage(0, 560, page, 0, page.height() - 160, page.width(), 160);
        painter.end();
        picture = picture.convertToFormat(QImage::Format_Grayscale8);
        const QString file = QStringLiteral(PICTURES_DIR "/%1.png").arg(QLatin1String(QTest::currentDataTag()));
        if (qEnvironmentVariableIsSet("LATTISCRIBE_NEW_PICTURES"))
            QVERIFY(picture.save(file));
        const QImage expected(file);
        QVERIFY2(expected.size() == picture.size(), qPrintable(file));
        const Difference apart = difference(picture, expected);
#ifdef Q_OS_WIN
        // The pictures are FreeType's; Windows' engine sets Latin text a pixel or so aside, so the page as
        // a whole is compared there, which still tells a missing or misplaced line of text.
        const bool alike = apart.mean < 0.8;
#else
        const bool alike = apart.far <= 50;
#endif
        if (!alike)
            QFAIL(qPrintable(QStringLiteral("%1 channel values far apart (mean %2) from %3; %4")
                                 .arg(apart.far)
                                 .arg(apart.mean)
                                 .arg(file, keepMismatch(picture, expected, QLatin1String(QTest::currentDataTag())))));
    }

    // Stroke order in a Trace book: a frame per stroke above the row, each with more ink than the one
    // before, the newest stroke in the grid colour where it lies and in the text colour a frame later; a
    // character without data gets no frames. The preview draws the frames as the page does. With the option
    // off again, and in a Copy book, every page is the plain one.
    void strokeOrder_data()
    {
        using namespace CopyBookOptions;
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("cellSize");
        QTest::addColumn<SheetOptions>("sheet");
        QTest::addColumn<int>("lines");
        SheetOptions classroom;
        classroom.gridStyle = GridMi;
        classroom.traceStyle = TraceHollow;
        classroom.pinyin = true;
        QTest::newRow("永 and 丅, which has no data") << "永丅" << 1.5 << SheetOptions() << 1;
        QTest::newRow("hollow copies, mi grid, pinyin") << "永" << 1.5 << classroom << 1;
        QTest::newRow("17 strokes at 5 cm: three lines of six") << "赢" << 5.0 << SheetOptions() << 3;
    }

    void strokeOrder()
    {
        QFETCH(QString, text);
        QFETCH(double, cellSize);
        QFETCH(CopyBookOptions::SheetOptions, sheet);
        QFETCH(int, lines);
        CopyBookWidget book;
        book.setTraceType(CopyBookOptions::TraceAll);
        book.setCellSize(cellSize);
        book.setContent(text);
        book.setSheet(sheet);
        const QImage plain = book.renderFirstPage();
        book.setStrokeOrder(true);
        QCOMPARE(book.copyBook().strokeFrameLines(), lines);
        const CopyBookPages pages = book.pages();
        const QImage page = book.renderFirstPage();
        // Black and red alike: the strokes, and the frame's grid lines, which every frame has.
        const auto strokePixels = [&](const QRectF &area) {
            int count = 0;
            const QRect pixels = area.toAlignedRect() & page.rect();
            for (int y = pixels.top(); y <= pixels.bottom(); ++y) {
                for (int x = pixels.left(); x <= pixels.right(); ++x)
                    count += qGreen(page.pixel(x, y)) < 128;
            }
            return count;
        };
        // Within a few levels of `color`: the pixel may take a little of the stroke's antialiased edge.
        const auto isAt = [&](const QRectF &frame, const QPointF &point, const QColor &color) {
            const QRectF area = StrokeFrames::strokeArea(frame);
            const QColor pixel = page.pixelColor((area.topLeft() + point * area.width()).toPoint());
            return qAbs(pixel.red() - color.red()) + qAbs(pixel.green() - color.green())
                + qAbs(pixel.blue() - color.blue())
                < 48;
        };
        for (const CopyBookCell &cell : book.cellsOfPage(0)) {
            if (cell.column != 0)
                continue;
            const QVector<QRectF> frames = pages.strokeFrames(cell);
            const QVector<QPainterPath> strokes = StrokeOrder::strokes(cell.codePoint());
            QCOMPARE(frames.size(), strokes.size());
            QCOMPARE(frames.size(), StrokeOrder::strokeCount(cell.codePoint()));
            const GridCell square = book.grid()[cell.row][0];
            const double above = book.pinyinBandPixels() + book.copyBook().strokeFramesPixels();
            if (frames.isEmpty()) {
                QCOMPARE(strokePixels(QRectF(square.x - 2, square.y - above - 2, 2000, above - 2)), 0);
                continue;
            }
            QCOMPARE(frames.first().topLeft(), QPointF(square.x, square.y - above));
            int ink = 0;
            for (int k = 0; k < frames.size(); ++k) {
                QVERIFY2(strokePixels(frames[k]) > ink, qPrintable(QStringLiteral("frame %1").arg(k + 1)));
                ink = strokePixels(frames[k]);
                // A point well inside stroke k and outside the stroke after it.
                const double margin = 2.0 / StrokeFrames::strokeArea(frames[k]).width();
                QPointF inside(-1, -1);
                for (int i = 0; i < 4096 && inside.x() < 0; ++i) {
                    const QPointF point((i % 64 + 0.5) / 64, (i / 64 + 0.5) / 64);
                    bool fits = true;
                    for (const QPointF &step : {QPointF(0, 0), QPointF(margin, 0), QPointF(-margin, 0),
                             QPointF(0, margin), QPointF(0, -margin)})
                        fits = fits && strokes[k].contains(point + step)
                            && (k + 1 == strokes.size() || !strokes[k + 1].contains(point + step));
                    if (fits)
                        inside = point;
                }
                QVERIFY(inside.x() >= 0);
                QVERIFY(isAt(frames[k], inside, book.currentGridColor()));
                QVERIFY(k + 1 == frames.size() || isAt(frames[k + 1], inside, book.currentTextColor()));
            }
        }
        QImage preview(707, 1000, QImage::Format_ARGB32_Premultiplied);
        GlyphStamps stamps;
        pages.renderPreviewInto(&preview, &stamps);
        const Difference scaled
            = difference(preview, page.scaled(preview.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
        QVERIFY2(scaled.mean <= 1.5 && scaled.percentile99 <= 40, qPrintable(QString::number(scaled.mean)));
        book.setStrokeOrder(false);
        QVERIFY(book.renderFirstPage() == plain);
        book.setBookType(CopyBookOptions::CopyBook);
        const QImage copyBook = book.renderFirstPage();
        book.setStrokeOrder(true);
        QVERIFY(book.renderFirstPage() == copyBook);
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
        const QMap<QString, Qt::Key> keys {{"PgDown", Qt::Key_PageDown}, {"PgUp", Qt::Key_PageUp},
            {"Down", Qt::Key_Down}, {"Up", Qt::Key_Up}, {"Right", Qt::Key_Right}, {"Left", Qt::Key_Left},
            {"Home", Qt::Key_Home}, {"End", Qt::Key_End}};
        CopyBookWidget book;
        book.setTraceType(CopyBookOptions::TraceAll);
        book.setContent(ideographs(12 * 15));
        book.resize(500, 700);
        QCOMPARE(book.pageCount(), 12);
        for (const QString &step : steps.split(' ', Qt::SkipEmptyParts)) {
            if (step.startsWith("wheel:")) {
                QWheelEvent wheel(QPointF(250, 350), QPointF(250, 350), QPoint(), QPoint(0, step.mid(6).toInt()),
                    Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
                QCoreApplication::sendEvent(&book, &wheel);
            } else if (step == "opacity" || step == "shorter" || step == "single") {
                book.setOpacity(0.3);
                book.setContent(ideographs(step == "opacity" ? 12 * 15 : step == "shorter" ? 6 * 15 : 3));
            } else {
                QTest::keyClick(&book, keys.value(step));
            }
        }
        QCOMPARE(book.shownPage(), page);
        QImage shown(book.size(), QImage::Format_ARGB32_Premultiplied);
        shown.fill(Qt::white);
        book.render(&shown, QPoint(), QRegion(), QWidget::RenderFlags());
        const QSize area = book.copyBook().pageSizePixels().scaled(book.size(), Qt::KeepAspectRatio);
        QImage expected(area, QImage::Format_ARGB32_Premultiplied);
        GlyphStamps stamps;
        book.pages().renderPreviewInto(&expected, &stamps, page);
        const QRect pageArea(QPoint((book.width() - area.width()) / 2, (book.height() - area.height()) / 2), area);
        const QRect top(0, 0, area.width(), area.height() * 3 / 4);
        QCOMPARE(shown.copy(pageArea).copy(top), expected.copy(top));
        QCOMPARE(shown.copy(pageArea) != expected, book.pageCount() > 1);
    }
};

QTEST_MAIN(TestPages)
#include "tst_pages.moc"
