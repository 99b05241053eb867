#include "pdftools.h"
#include "rasterpdfwriter.h"

#include <QBuffer>
#include <QtTest>
#include <atomic>

namespace {

// Worker threads seen by the renderer, and those of them that have ended: a thread_local's destructor
// runs as its thread exits, before any join on it returns.
std::atomic<int> threadsStarted {0};
std::atomic<int> threadsEnded {0};
std::atomic<int> pagesRendered {0};

struct ThreadMark
{
    ThreadMark() { ++threadsStarted; }
    ~ThreadMark() { ++threadsEnded; }
};

// Every page different, each channel different, so a page out of place or channels swapped show.
void drawPattern(int page, QImage *image, const QRect &band)
{
    for (int y = band.top(); y <= band.bottom(); ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(image->scanLine(y));
        for (int x = 0; x < image->width(); ++x)
            line[x] = qRgb(x + page * 40, y + page * 90, (x ^ y) + page * 20);
    }
}

void renderPage(int page, QImage *buffer, const QRect &band)
{
    static thread_local ThreadMark mark;
    if (band.top() == 0)
        ++pagesRendered;
    drawPattern(page, buffer, band);
}

// 1239 pixels at 150 dpi are A4 as well, and not a whole number of four-pixel groups wide.
const QSize kSmallPage(1239, 1754);

bool write(QIODevice *device, int pages, int jobs, const RasterPdfProgress &progress = {}, QString *error = nullptr,
    QSize size = kSmallPage, int resolution = 150)
{
    return writeRasterPdf(
        device, pages, renderPage, {size, resolution, QStringLiteral("LattiScribe"), jobs}, progress, error);
}

// Takes `room` bytes, then fails, or with shortWrites takes what still fits and says so.
class FullDevice : public QIODevice
{
public:
    FullDevice(qint64 room, bool shortWrites) : room(room), shortWrites(shortWrites) { open(WriteOnly); }
    int writesPastLimit = 0;

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *, qint64 size) override
    {
        const qint64 taken = qMin(size, room);
        room -= taken;
        if (taken == size)
            return size;
        ++writesPastLimit;
        setErrorString(QStringLiteral("No space left on device"));
        return shortWrites ? taken : -1;
    }

private:
    qint64 room;
    const bool shortWrites;
};

} // namespace

class TestRasterPdfWriter : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { QCOMPARE(threadsEnded.load(), threadsStarted.load()); }

    void pagesAsDrawn_data()
    {
        QTest::addColumn<int>("pages");
        QTest::addColumn<int>("jobs");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<int>("resolution");
        QTest::newRow("one page at full size") << 1 << 0 << QSize(2480, 3508) << 300;
        QTest::newRow("five pages on three workers") << 5 << 3 << kSmallPage << 150;
    }

    void pagesAsDrawn()
    {
        QFETCH(int, pages);
        QFETCH(int, jobs);
        QFETCH(QSize, size);
        QFETCH(int, resolution);
        QTemporaryDir directory;
        const QString pdf = directory.filePath(QStringLiteral("pages.pdf"));
        QFile file(pdf);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        // Each page reported once, in order, with the right count (anything else cancels), the last one
        // once the whole file is written.
        int reports = 0;
        qint64 writtenAtReport = 0;
        const auto progress = [&](int done, int count) {
            writtenAtReport = file.size();
            return done == ++reports && count == pages;
        };
        QVERIFY(write(&file, pages, jobs, progress, nullptr, size, resolution));
        QCOMPARE(reports, pages);
        QCOMPARE(writtenAtReport, file.size());
        file.close();
        QProcess check;
        check.start(QStringLiteral("qpdf"), {QStringLiteral("--check"), pdf});
        QVERIFY(check.waitForFinished(60000));
        QCOMPARE(check.exitCode(), 0);
        const QMap<QString, QString> info = PdfTools::info(pdf);
        QCOMPARE(info.value(QStringLiteral("Creator")), QStringLiteral("LattiScribe"));
        QCOMPARE(info.value(QStringLiteral("Page size")), QStringLiteral("595 x 842 pts (A4)"));
        const QVector<PdfTools::ImageEntry> images = PdfTools::images(pdf);
        QCOMPARE(images.size(), pages);
        QImage drawn(size, QImage::Format_ARGB32);
        for (int page = 0; page < pages; ++page) {
            QCOMPARE(QSize(images[page].width, images[page].height), size);
            QCOMPARE(images[page].xPpi, resolution);
            drawPattern(page, &drawn, drawn.rect());
            QCOMPARE(PdfTools::embeddedImage(pdf, page + 1).convertToFormat(QImage::Format_RGB32),
                drawn.convertToFormat(QImage::Format_RGB32));
        }
    }

    // A full disk (a write that fails or comes back short) or a cancel: no more is written, and the workers
    // stop within their window of four pages ahead of the page being written.
    void stopsPartWay_data()
    {
        QTest::addColumn<int>("cancelAfter");
        QTest::addColumn<double>("fraction");
        QTest::addColumn<int>("bytesShort");
        QTest::addColumn<bool>("shortWrites");
        QTest::addColumn<int>("mostPagesRendered");
        QTest::newRow("cancelled after page 2") << 2 << 2.0 << 0 << false << 6;
        QTest::newRow("write fails in the first page") << 0 << 0.1 << 0 << false << 5;
        QTest::newRow("write comes back short mid-way") << 0 << 0.5 << 0 << true << 8;
        QTest::newRow("write comes back short in the trailer") << 0 << 1.0 << 3 << true << 8;
    }

    void stopsPartWay()
    {
        QFETCH(int, cancelAfter);
        QFETCH(double, fraction);
        QFETCH(int, bytesShort);
        QFETCH(bool, shortWrites);
        QFETCH(int, mostPagesRendered);
        QBuffer whole;
        whole.open(QIODevice::WriteOnly);
        QVERIFY(write(&whole, 8, 2));
        pagesRendered = 0;
        FullDevice device(qint64(whole.size() * fraction) - bytesShort, shortWrites);
        QVector<int> reported;
        const auto progress = [&](int done, int) {
            reported.append(done);
            return done != cancelAfter;
        };
        QString error = QStringLiteral("untouched");
        QVERIFY(!write(&device, 8, 2, progress, &error));
        QCOMPARE(device.writesPastLimit, cancelAfter > 0 ? 0 : 1);
        QCOMPARE(error.isEmpty(), cancelAfter > 0);
        if (cancelAfter > 0)
            QCOMPARE(reported, (QVector<int> {1, 2}));
        else if (!shortWrites)
            QCOMPARE(error, device.errorString());
        QVERIFY2(pagesRendered <= mostPagesRendered, qPrintable(QString::number(pagesRendered)));
    }
};

QTEST_MAIN(TestRasterPdfWriter)
#include "tst_rasterpdfwriter.moc"
