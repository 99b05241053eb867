#include "copybookwidget.h"
#include "fonts.h"

#include <QRandomGenerator>
#include <QtTest>
#include <limits>

namespace {

// Random texts and options, in range and far out of it, and the invariants the page split relies on.
class RandomInput
{
public:
    explicit RandomInput(quint32 seed) : random(seed) { }

    // Ideographs, controls, lone surrogates, line breaks and code units from anywhere.
    QString text(int length)
    {
        QString s;
        while (s.size() < length) {
            const int kind = random.bounded(6);
            s += kind == 0  ? QChar(0x4E00 + random.bounded(0x5200))
                : kind == 1 ? QChar(static_cast<ushort>(random.bounded(0x20)))
                : kind == 2 ? QChar(static_cast<ushort>(0xD800 + random.bounded(0x800)))
                : kind == 3 ? QChar(QLatin1Char('\n'))
                            : QChar(static_cast<ushort>(random.bounded(0x10000)));
        }
        return s;
    }

    int anyInt(int low, int high)
    {
        static const int specials[] = {std::numeric_limits<int>::min(), std::numeric_limits<int>::max(), -1, 1000};
        return random.bounded(4) == 0 ? specials[random.bounded(4)] : random.bounded(low, high + 1);
    }

    double anyDouble(double low, double high)
    {
        static const double specials[] = {std::numeric_limits<double>::quiet_NaN(),
            std::numeric_limits<double>::infinity(), 0.0, 1e-300, 1e300, -1.0, 25.88, 17.18};
        return random.bounded(4) == 0 ? specials[random.bounded(8)] : low + random.generateDouble() * (high - low);
    }

    bool coin() { return random.bounded(2) == 1; }

private:
    QRandomGenerator random;
};

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
        for (int round = 0; round < 2000; ++round) {
            book.setBookType(input.anyInt(0, 1));
            book.setTraceType(input.anyInt(0, 2));
            book.setCellSize(input.anyDouble(0.3, 12.0));
            book.setFontSize(input.anyDouble(0.3, 12.0));
            book.setBlankLines(input.anyInt(0, 5));
            book.setOpacity(input.anyDouble(-0.5, 1.5));
            book.setCommonChineseOnly(input.coin());
            book.setPinyin(input.coin());
            book.setContent(input.text(input.anyInt(0, 200) & 0xFF));

            const QVector<CopyBookCell> &cells = book.contentModel().cells;
            const int rows = book.rowsPerPage();
            for (int i = 0; i < cells.size(); ++i) {
                QVERIFY(cells[i].column >= 0 && cells[i].column < book.columnsPerRow() && cells[i].row >= 0);
                // Rows never decrease; within a row, columns strictly increase: no square is used twice.
                if (i > 0)
                    QVERIFY(cells[i].row > cells[i - 1].row
                        || (cells[i].row == cells[i - 1].row && cells[i].column > cells[i - 1].column));
            }
            const int pages = book.pageCount();
            QCOMPARE(pages, cells.isEmpty() ? 1 : cells.last().row / rows + 1);
            QVERIFY(book.cellsOfPage(pages).isEmpty());
            if (round % 200 == 0)
                QCOMPARE(book.renderPage(pages - 1).size(), QSize(2480, 3508));
        }
    }
};

QTEST_MAIN(TestProperties)
#include "tst_properties.moc"
