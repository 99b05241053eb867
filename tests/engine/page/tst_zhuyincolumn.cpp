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
    QRect ink;
    for (int y = top; y <= bottom; ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (inked(image, x, y) && !inked(beneath, x, y))
                ink |= QRect(x, y, 1, 1);
        }
    }
    return ink;
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

    // What zhuyin does not write comes in pinyin, across the middle of the column.
    void pinyinInstead()
    {
        const QRectF column(20, 20, 80, 240);
        const QRect ink = inkOf(drawn(QStringLiteral("hng"), column));
        QVERIFY(column.contains(ink));
        QVERIFY(ink.width() > column.width() * 0.7);
        QVERIFY(qAbs(ink.center().y() - column.center().y()) < 2);
    }
};

QTEST_MAIN(TestZhuyinColumn)
#include "tst_zhuyincolumn.moc"
