#include "copybookwidget.h"
#include "fonts.h"

#include <QRandomGenerator>
#include <QtTest>
#include <cmath>
#include <limits>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr int kIntMin = std::numeric_limits<int>::min();
constexpr int kIntMax = std::numeric_limits<int>::max();

class RandomInput
{
public:
    explicit RandomInput(quint32 seed) : random(seed) { }

    // Code units from every plane, lone surrogates, controls, line breaks and plenty of ideographs.
    QString text(int length)
    {
        QString s;
        s.reserve(length * 2);
        while (s.size() < length) {
            switch (random.bounded(8)) {
            case 0:
                s += QChar(0x4E00 + random.bounded(0x5200));
                break;
            case 1:
                s += QChar(static_cast<ushort>(random.bounded(0x20)));
                break;
            case 2:
                s += QChar(static_cast<ushort>(0xD800 + random.bounded(0x800)));
                break;
            case 3:
                s += QLatin1Char('\n');
                break;
            case 4:
                s += QString::fromUcs4(
                    std::vector<char32_t> {static_cast<char32_t>(0x10000 + random.bounded(0x100000))}.data(), 1);
                break;
            default:
                s += QChar(static_cast<ushort>(random.bounded(0x10000)));
                break;
            }
        }
        return s;
    }

    int anyInt(std::initializer_list<int> specials, int low, int high)
    {
        if (random.bounded(4) == 0)
            return *(specials.begin() + random.bounded(static_cast<int>(specials.size())));
        return random.bounded(low, high + 1);
    }

    double anyDouble(double low, double high)
    {
        static const double specials[] = {kNaN, kInf, -kInf, 0.0, -0.0, 1e-300, 1e300, -1.0, 0.5, 10.0, 25.88, 17.18};
        if (random.bounded(4) == 0)
            return specials[random.bounded(static_cast<int>(std::size(specials)))];
        return low + random.generateDouble() * (high - low);
    }

    bool coin() { return random.bounded(2) == 1; }
    int below(int n) { return random.bounded(n); }

private:
    QRandomGenerator random;
};

void applyRandomOptions(CopyBookWidget &book, RandomInput &input)
{
    book.setBookType(input.anyInt({kIntMin, kIntMax, -1, 2}, 0, 1));
    book.setTraceType(input.anyInt({kIntMin, kIntMax, -1, 3}, 0, 2));
    book.setCellSize(input.anyDouble(0.3, 12.0));
    book.setFontNameAndSize(
        input.coin() ? QStringLiteral("楷体") : QStringLiteral("No Such Family"), input.anyDouble(0.3, 12.0));
    book.setBlankLines(input.anyInt({kIntMin, kIntMax, -1, 6, 1000}, 0, 5));
    book.setOpacity(input.anyDouble(-0.5, 1.5));
    book.setCommonChineseOnly(input.coin());
}

// What the page split relies on, checked on whatever the layout produced.
void checkLayout(const CopyBookWidget &book)
{
    const QVector<CopyBookCell> &cells = book.contentModel().cells;
    const int columns = book.columnsPerRow();
    const int rows = book.rowsPerPage();
    if (rows == 0 || columns == 0)
        QVERIFY(cells.isEmpty());
    for (int i = 0; i < cells.size(); ++i) {
        const CopyBookCell &cell = cells[i];
        QVERIFY(cell.column >= 0 && cell.column < columns);
        QVERIFY(cell.row >= 0);
        if (i > 0) {
            // Rows never decrease; within a row, columns strictly increase: no square is used twice.
            QVERIFY(cell.row > cells[i - 1].row || (cell.row == cells[i - 1].row && cell.column > cells[i - 1].column));
        }
    }
    const int pages = book.pageCount();
    QVERIFY(pages >= 1);
    if (!cells.isEmpty()) {
        QCOMPARE(pages, cells.last().row / rows + 1);
        const QVector<CopyBookCell> last = book.cellsOfPage(pages - 1);
        QVERIFY(!last.isEmpty());
        for (const CopyBookCell &cell : last)
            QCOMPARE(cell.row / rows, pages - 1);
    }
    QVERIFY(book.cellsOfPage(pages).isEmpty());
}

} // namespace

class TestProperties : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { installKaiFontSubstitution(); }

    void randomTextsAndOptions()
    {
        RandomInput input(0x5EED);
        CopyBookWidget book;
        for (int round = 0; round < 3000; ++round) {
            applyRandomOptions(book, input);
            book.setContent(input.text(input.below(200)));
            checkLayout(book);
            if (QTest::currentTestFailed())
                QFAIL(qPrintable(QStringLiteral("round %1").arg(round)));
            // Rendering is slow at 300 dpi; a sample of the rounds draws a page.
            if (round % 150 == 0) {
                const QImage page = book.renderPage(input.below(book.pageCount()));
                QCOMPARE(page.size(), QSize(2480, 3508));
            }
        }
    }

    void longTexts_data()
    {
        QTest::addColumn<int>("length");
        QTest::addColumn<bool>("oneLine");
        QTest::newRow("a line of 20 000 characters") << 20000 << true;
        QTest::newRow("100 000 characters") << 100000 << false;
    }

    void longTexts()
    {
        QFETCH(int, length);
        QFETCH(bool, oneLine);
        RandomInput input(static_cast<quint32>(length));
        QString text = input.text(length);
        if (oneLine)
            text.replace(QLatin1Char('\n'), QChar(0x6C38));
        for (const int bookType : {0, 1}) {
            CopyBookWidget book;
            book.setCellSize(0.5);
            book.setTraceType(2);
            book.setBookType(bookType);
            book.setCommonChineseOnly(false);
            book.setContent(text);
            checkLayout(book);
            QVERIFY(book.contentModel().cells.size() >= text.size() / 4);
            QCOMPARE(book.renderPage(book.pageCount() - 1).size(), QSize(2480, 3508));
        }
    }
};

QTEST_MAIN(TestProperties)
#include "tst_properties.moc"
