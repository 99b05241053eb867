#include "copybookwidget.h"
#include "fonts.h"
#include "pdftools.h"
#include "pixels.h"
#include "testfiles.h"

#include <QtTest>

namespace {

// The threads of this process: an export must leave none of its workers behind.
int threadCount()
{
    return QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size();
}

} // namespace

class TestPdfExport : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir directory;

    QString path(const QString &name) const { return directory.filePath(name); }
    QStringList files() const { return QDir(directory.path()).entryList(QDir::Files | QDir::Hidden); }

private slots:
    void initTestCase()
    {
        QCoreApplication::setApplicationName(QStringLiteral("LattiScribe"));
        installKaiFontSubstitution();
    }

    void cleanup()
    {
        for (const QString &file : files())
            QFile::remove(path(file));
    }

    // Page images: one lossless full-page image per A4 page, each exactly the engine's page, however many
    // workers made them; the file passes qpdf's check and replaces an old one.
    void pageImages_data()
    {
        QTest::addColumn<int>("characters");
        QTest::addColumn<int>("jobs");
        QTest::addColumn<bool>("dressed");
        QTest::addColumn<int>("pages");
        QTest::newRow("empty text: one blank page") << 0 << 1 << false << 1;
        QTest::newRow("three pages on two workers") << 31 << 2 << false << 3;
        // Five pages take each worker past a hand-over to a fresh thread, and everything that a page
        // drawn in bands could cut wrongly at a band's edge is on them: dotted diagonals, outlined glyphs,
        // pinyin, a translucent grid and the furniture.
        QTest::newRow("five dressed pages on two workers") << 45 << 2 << true << 5;
    }

    void pageImages()
    {
        QFETCH(int, characters);
        QFETCH(int, jobs);
        QFETCH(bool, dressed);
        QFETCH(int, pages);
        CopyBookWidget book;
        if (dressed) {
            CopyBookOptions::applySheet(&book,
                {CopyBookOptions::GridMi, CopyBookOptions::TraceHollow, QStringLiteral("Title"), true, true, true});
            book.setGridColor(QColor(200, 30, 30, 160));
        }
        book.setContent(ideographs(characters, 7));
        book.setExportJobs(jobs);
        const QString pdf = path(QStringLiteral("book.pdf"));
        QVERIFY(writeFile(pdf, "not a pdf"));
        QVERIFY(book.saveToPdf(pdf));
        const QMap<QString, QString> info = PdfTools::info(pdf);
        QCOMPARE(info.value(QStringLiteral("Pages")).toInt(), pages);
        QCOMPARE(info.value(QStringLiteral("Creator")), QStringLiteral("LattiScribe"));
        QVERIFY(info.value(QStringLiteral("Page size")).endsWith(QLatin1String("(A4)")));
        QVERIFY(!PdfTools::run(QStringLiteral("qpdf"), {QStringLiteral("--check"), pdf}).isEmpty());
        const QStringList images = PdfTools::images(pdf);
        QCOMPARE(images.size(), pages);
        for (int page = 0; page < pages; ++page) {
            QCOMPARE(images[page], QStringLiteral("%1 image 2480 3508 300").arg(page + 1));
            QCOMPARE(PdfTools::embeddedImage(pdf, page + 1).convertToFormat(QImage::Format_RGB32),
                book.renderPage(page).convertToFormat(QImage::Format_RGB32));
        }
        QCOMPARE(files(), QStringList {QStringLiteral("book.pdf")});
    }

    // A reader draws the page image where the page is, as it always did.
    void pageAsAReaderDrawsIt()
    {
        CopyBookWidget book;
        book.setContent(ideographs(20, 7));
        const QString pdf = path(QStringLiteral("read.pdf"));
        QVERIFY(book.saveToPdf(pdf));
        QVERIFY(difference(book.renderPage(1), PdfTools::renderedPage(pdf, 2, 300)).mean < 1.0);
    }

    // The vector export draws the same pages as lines and embedded font outlines, a fraction of the size.
    void vectorPages()
    {
        CopyBookWidget book;
        book.setTraceType(2);
        book.setGridStyle(1);
        book.setContent(ideographs(30, 7));
        book.setVectorPdf(true);
        const QString pdf = path(QStringLiteral("vector.pdf"));
        QVERIFY(book.saveToPdf(pdf));
        QCOMPARE(PdfTools::info(pdf).value(QStringLiteral("Pages")), QStringLiteral("2"));
        QVERIFY(PdfTools::images(pdf).isEmpty());
        // pdffonts: two header lines, then name, type, encoding, emb, sub, uni, object ID (two fields).
        const QStringList fonts
            = PdfTools::run(QStringLiteral("pdffonts"), {pdf}).split('\n', Qt::SkipEmptyParts).mid(2);
        QVERIFY(!fonts.isEmpty() && fonts.first().startsWith(QLatin1String("UKai")));
        for (const QString &font : fonts) {
            const QStringList fields = font.simplified().split(' ');
            QCOMPARE(fields.at(fields.size() - 5), QStringLiteral("yes"));
        }
        QVERIFY(QFileInfo(pdf).size() < 2 * 60 * 1024);
        QVERIFY(difference(book.renderPage(1), PdfTools::renderedPage(pdf, 2, 300)).mean <= 3.0);
    }

    // A target that cannot be written, a disk that fills up part-way (the write comes back short without
    // an error flag, even three bytes before the end) and a cancel: false, no file, the old one as it was,
    // no worker left running.
    void failures_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<int>("limitBytes");
        QTest::addColumn<int>("cancelAfter");
        QTest::newRow("missing directory") << QStringLiteral("missing/keep.pdf") << 0 << 0;
        QTest::newRow("disk full within the first page") << QStringLiteral("keep.pdf") << 100 * 1024 << 0;
        QTest::newRow("disk full three bytes before the end") << QStringLiteral("keep.pdf") << -3 << 0;
        QTest::newRow("cancelled after page 2") << QStringLiteral("keep.pdf") << 0 << 2;
    }

    void failures()
    {
        QFETCH(QString, target);
        QFETCH(int, limitBytes);
        QFETCH(int, cancelAfter);
        const QString pdf = path(QStringLiteral("keep.pdf"));
        QVERIFY(writeFile(pdf, "precious old contents"));
        CopyBookWidget book;
        book.setContent(ideographs(60, 7));
        book.setExportJobs(2);
        if (limitBytes < 0) {
            QVERIFY(book.saveToPdf(path(QStringLiteral("full.pdf"))));
            limitBytes += static_cast<int>(QFileInfo(path(QStringLiteral("full.pdf"))).size());
            QFile::remove(path(QStringLiteral("full.pdf")));
        }
        const int threadsBefore = threadCount();
        QVector<int> reported;
        bool saved = true;
        QString error;
        {
            const FileSizeLimit limit(limitBytes > 0 ? rlim_t(limitBytes) : RLIM_INFINITY);
            saved = book.saveToPdf(
                path(target),
                [&](int done, int count) {
                    reported << done;
                    return count == 4 && done != cancelAfter;
                },
                &error);
        }
        QVERIFY(!saved);
        QVERIFY(!error.isEmpty());
        QCOMPARE(threadCount(), threadsBefore);
        QCOMPARE(contentsOf(pdf), QByteArray("precious old contents"));
        QCOMPARE(files(), QStringList {QStringLiteral("keep.pdf")});
        if (cancelAfter > 0)
            QCOMPARE(reported, (QVector<int> {1, 2}));
    }
};

QTEST_MAIN(TestPdfExport)
#include "tst_pdfexport.moc"
