#include "copybook.h"
#include "fonts.h"
#include "glyphstamps.h"
#include "pixels.h"
#include "strokeframes.h"
#include "strokeorder.h"

#include <QtTest>

using namespace CopyBookOptions;

Q_DECLARE_METATYPE(CopyBookOptions::OptionValues)

class TestStrokeOrder : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { installKaiFontSubstitution(); }

    // Stroke order in a Trace book: a frame per stroke above each character's row, each with more ink than
    // the one before, the newest stroke in the grid colour where it lies and in the text colour a frame
    // later; a character without data gets no frames. However large the squares or complex the characters,
    // the frames leave room for a row: every character gets its row, with its frames in the room above it
    // (above the pinyin band), none smaller than the smallest side; one character of many strokes does not
    // give every row another line. The preview draws the frames as the page does. With the option off
    // again, and in a Copy book, every page is the plain one.
    void strokeOrder_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<OptionValues>("options");
        QTest::addColumn<int>("lines");
        // Whether the first page's frames are large enough to judge their drawing stroke by stroke.
        QTest::addColumn<bool>("strokeByStroke");
        const auto options = [](double cellSize, Paper paper = Paper::A4, bool landscape = false) {
            OptionValues o;
            o.traceType = TraceType::All;
            o.cellSize = cellSize;
            o.paper = paper;
            o.landscape = landscape;
            return o;
        };
        OptionValues classroom = options(1.5);
        classroom.gridStyle = GridStyle::Mi;
        classroom.traceStyle = TraceStyle::Hollow;
        classroom.pinyin = true;
        QTest::newRow("永 and 丅, which has no data") << "永丅" << options(1.5) << 1 << true;
        QTest::newRow("hollow copies, mi grid, pinyin") << "永" << classroom << 1 << true;
        QTest::newRow("鬱 among simple characters") << "永鬱" << options(1.5) << 1 << false;
        QTest::newRow("鬱 at 6 cm") << "永鬱" << options(6) << 1 << false;
        // Two lines of six frames of the usual size would leave room for two rows a page, one line of
        // eight smaller frames for three.
        QTest::newRow("8 strokes at 5 cm: one line of smaller frames") << "林" << options(5) << 1 << true;
        QTest::newRow("我 in a 9.851 cm square") << "我" << options(9.851) << 1 << true;
        QTest::newRow("鬱 in a 9.851 cm square: two lines") << "鬱" << options(9.851) << 2 << false;
        QTest::newRow("10 cm on A5 on its side: the line squeezed")
            << "永" << options(10, Paper::A5, true) << 1 << true;
    }

    void strokeOrder()
    {
        QFETCH(QString, text);
        QFETCH(OptionValues, options);
        QFETCH(int, lines);
        QFETCH(bool, strokeByStroke);
        CopyBook book;
        book.setOptions(options);
        book.setText(text);
        const QImage plain = book.pages().renderPage(0);
        options.strokeOrder = true;
        book.setOptions(options);
        QCOMPARE(book.layoutProblem(), QString());
        QCOMPARE(book.strokeFrameLines(), lines);
        const CopyBookPages pages = book.pages();
        const QImage page = pages.renderPage(0);
        // Black and red alike: the strokes, and the frame's grid lines, which every frame has.
        const auto strokePixels = [&](const QRectF &area) {
            return countWhere(
                area.toAlignedRect() & page.rect(), [&](int x, int y) { return qGreen(page.pixel(x, y)) < 128; });
        };
        // Within a few levels of `color`: the pixel may take a little of the stroke's antialiased edge.
        const auto isAt = [&](const QRectF &frame, const QPointF &point, const QColor &color) {
            const QRectF area = StrokeFrames::strokeArea(frame);
            const QColor pixel = page.pixelColor((area.topLeft() + point * area.width()).toPoint());
            return qAbs(pixel.red() - color.red()) + qAbs(pixel.green() - color.green())
                + qAbs(pixel.blue() - color.blue())
                < 48;
        };
        const double above = book.pinyinBandPixels() + book.strokeFramesPixels();
        const double smallest = qMin(pages.cellSide / 2, 0.375 / 2.54 * 300);
        int rows = 0;
        for (const CopyBookCell &cell : book.contentModel().allCells()) {
            if (cell.column != 0)
                continue;
            ++rows;
            const QVector<QRectF> frames = pages.strokeFrames({cell});
            const QVector<QPainterPath> strokes = StrokeOrder::strokes(cell.codePoint());
            QCOMPARE(frames.size(), strokes.size());
            QCOMPARE(frames.size(), StrokeOrder::strokeCount(cell.codePoint()));
            const GridCell square = book.grid()[cell.row % book.rowsPerPage()][0];
            const QRectF room(
                square.x, square.y - above, book.columnsPerRow() * pages.cellSide, pages.strokeFramesHeight);
            for (const QRectF &frame : frames) {
                QVERIFY(room.adjusted(-1e-6, -1e-6, 1e-6, 1e-6).contains(frame));
                QVERIFY(frame.width() >= smallest - 1e-6);
            }
            if (!strokeByStroke || cell.row >= book.rowsPerPage())
                continue;
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
                QVERIFY(isAt(frames[k], inside, options.gridColor));
                QVERIFY(k + 1 == frames.size() || isAt(frames[k + 1], inside, options.textColor));
            }
        }
        QCOMPARE(rows, text.size());
        QImage preview(707, 1000, QImage::Format_ARGB32_Premultiplied);
        GlyphStamps stamps;
        pages.renderPreviewInto(&preview, &stamps);
        const Difference scaled
            = difference(preview, page.scaled(preview.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
        QVERIFY2(scaled.mean <= 1.5 && scaled.percentile99 <= 40, qPrintable(QString::number(scaled.mean)));
        options.strokeOrder = false;
        book.setOptions(options);
        COMPARE_PICTURES(book.pages().renderPage(0), plain, QStringLiteral("stroke-order-off"));
        options.bookType = BookType::Copy;
        book.setOptions(options);
        const QImage copyBook = book.pages().renderPage(0);
        options.strokeOrder = true;
        book.setOptions(options);
        COMPARE_PICTURES(book.pages().renderPage(0), copyBook, QStringLiteral("stroke-order-copy-book"));
    }
};

QTEST_MAIN(TestStrokeOrder)
#include "tst_strokeorder.moc"
