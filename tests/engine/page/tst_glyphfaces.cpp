#include "copybook.h"
#include "fonts.h"
#include "glyphstamps.h"
#include "pixels.h"

#include <QtTest>

using namespace CopyBookOptions;

namespace {

CopyBook bookOf(const QString &text, const QString &family, bool fit = false, double fontSize = 1.2)
{
    OptionValues options;
    options.fontName = family;
    options.fitGlyphs = fit;
    options.fontSize = fontSize;
    options.commonChineseOnly = false;
    CopyBook book;
    book.setOptions(options);
    book.setText(text);
    return book;
}

// The model glyph's square on the first page.
QRect firstSquare(const CopyBook &book)
{
    const GridCell &square = book.grid().first().first();
    const int side = qRound(book.cellSidePixels());
    return QRect(qRound(square.x), qRound(square.y), side, side);
}

// The dark pixels of the first square: the glyph, not the grid's red lines.
QRectF inkOf(const QImage &page, const QRect &square)
{
    return boundsWhere(square.adjusted(3, 3, -3, -3), [&](int x, int y) { return qRed(page.pixel(x, y)) < 128; });
}

} // namespace

class TestGlyphFaces : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { installKaiFontSubstitution(); }

    // A character the chosen font lacks is drawn as the Kai draws it, on the page and in the preview's
    // stamps alike, and named once; one the Kai lacks too is named, and left to Qt.
    void missingGlyphsComeFromTheKai()
    {
        const CopyBook latin = bookOf(QStringLiteral("永A永刏"), QStringLiteral("DejaVu Sans"));
        QCOMPARE(latin.missingGlyphs(), (QVector<uint> {0x6C38, 0x520F}));
        CopyBook kai = bookOf(QStringLiteral("永"), OptionValues().fontName);
        QCOMPARE(kai.missingGlyphs(), QVector<uint>());
        // The font alone changed, the text first: looked for again.
        CopyBook changed = kai;
        OptionValues options = changed.options();
        options.fontName = QStringLiteral("DejaVu Sans");
        changed.setOptions(options);
        QCOMPARE(changed.missingGlyphs(), QVector<uint> {0x6C38});
        const QRect square = firstSquare(kai);
        QCOMPARE(latin.pages().renderPage(0).copy(square), kai.pages().renderPage(0).copy(square));
        QImage latinPreview(620, 877, QImage::Format_ARGB32);
        QImage kaiPreview = latinPreview;
        GlyphStamps latinStamps, kaiStamps;
        latin.pages().renderPreviewInto(&latinPreview, &latinStamps);
        kai.pages().renderPreviewInto(&kaiPreview, &kaiStamps);
        const QRect small(square.topLeft() / 4, square.size() / 4);
        QCOMPARE(latinPreview.copy(small), kaiPreview.copy(small));
    }

    // Fitted, a glyph's ink is centred in its square, and shrunk only where it would reach past the
    // outline's margin.
    void fitGlyphs_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("fontSize");
        QTest::addColumn<bool>("shrunk");
        QTest::newRow("a comma low in the corner of its em box") << QStringLiteral("，") << 1.2 << false;
        QTest::newRow("a glyph larger than its square") << QStringLiteral("永") << 2.5 << true;
    }

    void fitGlyphs()
    {
        QFETCH(QString, text);
        QFETCH(double, fontSize);
        QFETCH(bool, shrunk);
        const QString kai = OptionValues().fontName;
        const CopyBook asDrawn = bookOf(text, kai, false, fontSize);
        const CopyBook fitted = bookOf(text, kai, true, fontSize);
        const QRect square = firstSquare(fitted);
        const QRectF before = inkOf(asDrawn.pages().renderPage(0), square);
        const QRectF after = inkOf(fitted.pages().renderPage(0), square);
        QVERIFY2(QLineF(after.center(), QRectF(square).center()).length() < 1.5,
            qPrintable(QStringLiteral("ink centred at %1,%2").arg(after.center().x()).arg(after.center().y())));
        QVERIFY(qMax(after.width(), after.height()) <= square.width() * 0.9 + 1);
        QCOMPARE(after.width() < before.width() - 2, shrunk);
        if (!shrunk)
            QVERIFY(qAbs(after.width() - before.width()) <= 1);
    }
};

QTEST_MAIN(TestGlyphFaces)
#include "tst_glyphfaces.moc"
