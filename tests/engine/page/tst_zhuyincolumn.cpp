#include "copybook.h"
#include "pixels.h"
#include "zhuyin.h"
#include "zhuyincolumn.h"

#include <QPainter>
#include <QtTest>

namespace {

const QSize kImageSize(240, 300);

QImage drawn(const QString &syllable, const QRectF &column)
{
    QImage image(kImageSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    ZhuyinColumn().draw(&painter, column, syllable, Qt::black);
    return image;
}

// The bounding box of the pixels inked in `image` and not in `beneath`, within the rows from `top` to
// `bottom`.
QRect inkOf(const QImage &image, const QImage &beneath = {}, int top = 0, int bottom = kImageSize.height() - 1)
{
    const auto inked = [](const QImage &in, int x, int y) { return !in.isNull() && qGray(in.pixel(x, y)) < 224; };
    return boundsWhere(QRect(0, top, image.width(), bottom - top + 1),
        [&](int x, int y) { return inked(image, x, y) && !inked(beneath, x, y); });
}

} // namespace

// A syllable's zhuyin drawn into its column: each symbol in its place, the tone mark where Taiwan's
// schoolbooks put it, and nothing outside the column.
class TestZhuyinColumn : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY2(!ZhuyinColumn::family().isEmpty(), "no font with the zhuyin symbols"); }

    void symbolsAndMarks_data()
    {
        QTest::addColumn<QString>("syllable");
        QTest::addColumn<QRectF>("column");
        // Narrower than a third of its height: the width limits the symbols with their mark.
        const QRectF narrow(20, 20, 72, 240);
        // As wide as high: the thirds' height, not the width, limits the symbols and the dot's room.
        const QRectF wide(20, 20, 200, 240);
        for (const char *syllable : {"zhuāng", "xióng", "liǎo", "guò", "huo", "hǎo", "de", "ǎi"})
            QTest::newRow(syllable) << QString::fromUtf8(syllable) << narrow;
        QTest::newRow("huo, wide") << QStringLiteral("huo") << wide;
        QTest::newRow("zhuàng, wide") << QString::fromUtf8("zhuàng") << wide;
        // What zhuyin does not write comes in pinyin, across the middle of the column.
        QTest::newRow("hng, in pinyin") << QStringLiteral("hng") << QRectF(20, 20, 80, 240);
    }

    void symbolsAndMarks()
    {
        QFETCH(QString, syllable);
        QFETCH(QRectF, column);
        const Zhuyin::Spelling spelling = Zhuyin::fromPinyin(syllable);
        const QImage withMark = drawn(syllable, column);
        const QImage symbolsAlone = drawn(Zhuyin::toPinyin(spelling.symbols), column);
        const QRect symbols = inkOf(symbolsAlone);
        const QRect mark = inkOf(withMark, symbolsAlone);
        QVERIFY(column.contains(inkOf(withMark)));
        if (spelling.symbols.isEmpty()) {
            QVERIFY(inkOf(withMark).width() > column.width() * 0.7);
            QVERIFY(qAbs(inkOf(withMark).center().y() - column.center().y()) < 2);
            return;
        }

        const double third = column.height() / 3.0;
        if (spelling.symbols.size() == 3) {
            for (int k = 0; k < 3; ++k) {
                const int top = qRound(column.top() + k * third);
                const int bottom = qRound(column.top() + (k + 1) * third) - 1;
                QVERIFY2(!inkOf(symbolsAlone, {}, top, bottom).isEmpty(), "a third without its symbol");
                QVERIFY2(inkOf(symbolsAlone, {}, top, top).isEmpty(), "a symbol across the line between thirds");
            }
        } else {
            QVERIFY(qAbs(symbols.center().y() - column.center().y()) < column.height() * 0.05);
        }

        // The last symbol's third: the stack of symbols is centred in the column.
        const double lastTop
            = column.top() + (3 - spelling.symbols.size()) * third / 2.0 + (spelling.symbols.size() - 1) * third;
        if (spelling.tone == 5) {
            QVERIFY2(mark.bottom() < symbols.top(), "the dot is not above the first symbol");
            QVERIFY(mark.center().x() > symbols.left() && mark.center().x() < symbols.right());
        } else if (spelling.tone > 1) {
            QVERIFY2(mark.left() > symbols.right(), "the mark is not right of the symbols");
            QVERIFY2(mark.top() >= lastTop && mark.center().y() < lastTop + third / 2.0,
                "the mark is not at the last symbol's upper right");
            if (column.width() < third)
                QVERIFY2(mark.right() - symbols.left() > column.width() * 0.7, "not fitted to the column's width");
        }
    }

    // On a page: a column beside each square, outlined in the grid colour, the squares spaced by it, each
    // character's zhuyin in its own column, and no pinyin band beside it.
    void onThePage()
    {
        CopyBook book;
        CopyBookOptions::OptionValues options;
        options.zhuyin = true;
        options.pinyin = true;
        options.traceType = CopyBookOptions::TraceType::None;
        options.gridColor = Qt::blue;
        book.setOptions(options);
        book.setText(QStringLiteral("我們"));
        QCOMPARE(book.pinyinBandPixels(), 0.0);
        const double side = book.cellSidePixels();
        const double width = book.zhuyinColumnPixels();
        QCOMPARE(width, side / 3);
        const QVector<GridCell> &row = book.grid().first();
        QCOMPARE(row.size(), 8);
        QCOMPARE(row.at(1).x - row.at(0).x, side + width);
        const QImage page = book.pages().renderPage(0);
        // The pixels whose centres lie in the area.
        const auto pixels = [&page](const QRectF &area, auto test) {
            const QPoint topLeft(qCeil(area.left()), qCeil(area.top()));
            const QPoint bottomRight(qCeil(area.right()) - 1, qCeil(area.bottom()) - 1);
            return countWhere(QRect(topLeft, bottomRight), [&](int x, int y) { return test(page.pixel(x, y)); });
        };
        const auto black = [](QRgb pixel) { return qGray(pixel) < 128 && qBlue(pixel) < 128; };
        const auto blue = [](QRgb pixel) { return qBlue(pixel) > 128 && qRed(pixel) < 128; };
        for (int r = 0; r < 2; ++r) {
            const GridCell &square = book.grid().at(r).first();
            const QRectF column(square.x + side, square.y, width, side);
            QVERIFY(pixels(column.adjusted(3, 3, -3, -3), black) > 20);
            // Outside the column's inside, the ink of the square's glyph or the next square.
            QCOMPARE(pixels(column.adjusted(-4, 3, -width + 2, -3), black), 0);
            QVERIFY(pixels(QRectF(column.right() - 1, column.top() + 3, 3, side - 6), blue) > side / 2);
        }
        // The second square's column is empty: no character stands in the square.
        const QRectF empty(row.at(1).x + side, row.at(1).y, width, side);
        QCOMPARE(pixels(empty.adjusted(3, 3, -3, -3), black), 0);
    }
};

QTEST_MAIN(TestZhuyinColumn)
#include "tst_zhuyincolumn.moc"
