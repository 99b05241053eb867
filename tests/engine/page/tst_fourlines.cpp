#include "copybook.h"
#include "fonts.h"
#include "pixels.h"

#include <QtTest>

using namespace CopyBookOptions;

Q_DECLARE_METATYPE(CopyBookOptions::BookType)

namespace {

CopyBook fourLineBook(const QString &text, BookType bookType = BookType::Trace, double cellSize = 1.5)
{
    OptionValues options;
    options.cellSize = cellSize;
    options.paper = cellSize > 5 ? Paper::A5 : Paper::A4;
    options.fourLines = true;
    options.bookType = bookType;
    options.copies = 2;
    options.blankLines = 2;
    CopyBook book;
    book.setOptions(options);
    book.setText(text);
    return book;
}

// The rows of the page's image between `from` and `to` with ink of the kind `test` says, one per run.
QVector<int> inkedRows(const QImage &page, int from, int to, int x0, int x1, const std::function<bool(QRgb)> &test)
{
    QVector<int> rows;
    for (int y = from; y < to; ++y) {
        const int inked = countWhere(QRect(x0, y, x1 - x0, 1), [&](int x, int) { return test(page.pixel(x, y)); });
        if (inked > (x1 - x0) / 20 && (rows.isEmpty() || rows.last() != y - 1))
            rows.append(y);
    }
    return rows;
}

} // namespace

// English on four lines: staves as high as a square, three equal spaces, the letters on the third line
// with their x-height filling the middle space; each line of the text with its copies and empty staves
// after it in a Trace book, run on from stave to stave in a Copy book, never past the stave's end.
class TestFourLines : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { installKaiFontSubstitution(); }

    void staveAndLetters()
    {
        const CopyBook book = fourLineBook(QStringLiteral("xxxx"));
        const QImage page = book.pages().renderPage(0);
        const FourLines &staves = book.fourLines();
        const double height = book.cellSidePixels();
        QCOMPARE(staves.staveHeight(), height);
        const int top = qRound(staves.tops().first());
        // The stave's four lines, red, in three equal spaces, as high as a square.
        const QVector<int> lines = inkedRows(page, top - 5, top + int(height) + 5, 1500, 2000,
            [](QRgb pixel) { return qRed(pixel) > 200 && qGreen(pixel) < 230; });
        QCOMPARE(lines.size(), 4);
        for (int space = 0; space < 3; ++space)
            QVERIFY(qAbs(lines[space + 1] - lines[space] - height / 3) <= 1.5);
        // The x's ink from the second line down to the third.
        const QRect ink = boundsWhere(
            QRect(200, top, 1000, int(height)), [&](int x, int y) { return qRed(page.pixel(x, y)) < 100; });
        QVERIFY2(
            qAbs(ink.bottom() - lines[2]) <= 3, qPrintable(QStringLiteral("%1 %2").arg(ink.bottom()).arg(lines[2])));
        QVERIFY2(qAbs(ink.top() - lines[1]) <= 4, qPrintable(QStringLiteral("%1 %2").arg(ink.top()).arg(lines[1])));
    }

    void lines_data()
    {
        QTest::addColumn<BookType>("bookType");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        // Stave: words, ! for a model line.
        QTest::newRow("trace: model, two copies, two empty staves") << BookType::Trace << "cat\ndog"
                                                                    << "0:cat! 1:cat 2:cat 5:dog! 6:dog 7:dog";
        // As in a Copy book of squares, an empty line leaves a stave of its own after the blank ones.
        QTest::newRow("copy: each line with its empty staves after it") << BookType::Copy << "cat\n\ndog"
                                                                        << "0:cat 4:dog";
        // Longer than a stave: broken between words, a word longer than a stave within itself.
        const QString word = QStringLiteral("pneumonoultramicroscopicsilicovolcanoconiosis");
        QTest::newRow("copy: a long line")
            << BookType::Copy << "the quick brown fox jumps over the lazy dog " + word + word
            << "0:the quick brown fox jumps over the 1:lazy dog 2:pneumonoultramicroscopicsilicovolc "
               "3:anoconiosispneumonoultramicrosco 4:picsilicovolcanoconiosis";
    }

    void lines()
    {
        QFETCH(BookType, bookType);
        QFETCH(QString, text);
        QFETCH(QString, expected);
        const CopyBook book = fourLineBook(text, bookType);
        const FourLines &staves = book.fourLines();
        QStringList placed;
        for (const FourLines::Line &line : staves.lines()) {
            QStringList words;
            for (const FourLines::Word &word : line.words) {
                QVERIFY(word.x >= staves.left() && word.x + word.width <= staves.right() + 1e-6);
                words << word.text;
            }
            placed << QStringLiteral("%1:%2%3")
                          .arg(line.stave)
                          .arg(words.join(QLatin1Char(' ')), line.opacity == 1.0 ? QStringLiteral("!") : QString());
        }
        QCOMPARE(placed.join(QLatin1Char(' ')), expected);
        QVERIFY(book.contentModel().cellCount() == 0 && book.rowsPerPage() == 0);
    }

    // On a 10 cm stave of A5 paper a letter is wider than the stave by itself: narrowed to it, and drawn so.
    void letterWiderThanTheStave()
    {
        const CopyBook book = fourLineBook(QStringLiteral("W"), BookType::Copy, 10.0);
        const FourLines::Word &letter = book.fourLines().lines().first().words.first();
        QVERIFY(letter.x + letter.width <= book.fourLines().right() + 1e-6);
        const QImage page = book.pages().renderPage(0);
        const QRect ink = boundsWhere(page.rect(), [&](int x, int y) { return qRed(page.pixel(x, y)) < 160; });
        QVERIFY2(ink.right() <= book.fourLines().right() + 2, qPrintable(QString::number(ink.right())));
    }
};

QTEST_MAIN(TestFourLines)
#include "tst_fourlines.moc"
