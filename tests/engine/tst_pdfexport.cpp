#include "copybookwidget.h"
#include "fonts.h"
#include "pdftools.h"
#include "testfiles.h"

#include <QtTest>

namespace {

QString characters(int count)
{
    QString text;
    for (int i = 0; i < count; ++i)
        text += QChar(0x4E00 + i * 7);
    return text;
}

double meanDifference(const QImage &a, const QImage &b)
{
    const QImage left = a.convertToFormat(QImage::Format_RGB32);
    const QImage right = b.convertToFormat(QImage::Format_RGB32);
    qint64 sum = 0;
    for (int y = 0; y < left.height(); ++y) {
        const QRgb *l = reinterpret_cast<const QRgb *>(left.constScanLine(y));
        const QRgb *r = reinterpret_cast<const QRgb *>(right.constScanLine(y));
        for (int x = 0; x < left.width(); ++x)
            sum += qAbs(qRed(l[x]) - qRed(r[x])) + qAbs(qGreen(l[x]) - qGreen(r[x])) + qAbs(qBlue(l[x]) - qBlue(r[x]));
    }
    return double(sum) / (3.0 * left.width() * left.height());
}

} // namespace

class TestPdfExport : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir directory;

    QString path(const QString &name) const { return directory.filePath(name); }
    QStringList leftovers() const { return QDir(directory.path()).entryList(QDir::Files | QDir::Hidden); }

private slots:
    void initTestCase()
    {
        QCoreApplication::setApplicationName(QStringLiteral("LattiScribe"));
        installKaiFontSubstitution();
        QVERIFY(directory.isValid());
    }

    void cleanup()
    {
        for (const QString &file : leftovers())
            QFile::remove(path(file));
    }

    void pages_data()
    {
        QTest::addColumn<int>("characters");
        QTest::addColumn<bool>("dressed");
        QTest::addColumn<int>("pages");
        QTest::newRow("empty text: one blank page") << 0 << false << 1;
        QTest::newRow("three pages") << 31 << false << 3;
        // What the page's lower part, drawn in bands, could cut wrongly at a band's edge: dotted
        // diagonals, outlined glyphs, pinyin, a translucent grid and the page number.
        QTest::newRow("three pages, all dressed") << 25 << true << 3;
    }

    void pages()
    {
        QFETCH(int, characters);
        QFETCH(bool, dressed);
        QFETCH(int, pages);
        CopyBookWidget book;
        if (dressed) {
            book.setGridStyle(CopyBookOptions::GridMi);
            book.setTraceStyle(CopyBookOptions::TraceHollow);
            book.setPinyin(true);
            book.setTitle(QStringLiteral("Title"));
            book.setNameFields(true);
            book.setPageNumbers(true);
            book.setGridColor(QColor(200, 30, 30, 160));
        }
        book.setContent(::characters(characters));
        // Saving over an existing file replaces it.
        const QString pdf = path(QStringLiteral("book.pdf"));
        QVERIFY(writeFile(pdf, "not a pdf"));
        QVERIFY(book.saveToPdf(pdf));

        const QMap<QString, QString> info = PdfTools::info(pdf);
        QCOMPARE(info.value(QStringLiteral("Pages")).toInt(), pages);
        QCOMPARE(info.value(QStringLiteral("Creator")), QStringLiteral("LattiScribe"));
        QVERIFY2(info.value(QStringLiteral("Page size")).endsWith(QLatin1String("(A4)")),
            qPrintable(info.value(QStringLiteral("Page size"))));

        const QVector<PdfTools::ImageEntry> images = PdfTools::images(pdf);
        QCOMPARE(images.size(), pages);
        for (int i = 0; i < images.size(); ++i) {
            QCOMPARE(images[i].page, i + 1);
            QCOMPARE(images[i].type, QStringLiteral("image"));
            QCOMPARE(QSize(images[i].width, images[i].height), QSize(2480, 3508));
            QCOMPARE(images[i].xPpi, 300);
        }

        // Lossless: each embedded image is the engine's page, pixel for pixel.
        for (int page = 0; page < pages; ++page) {
            QCOMPARE(PdfTools::embeddedImage(pdf, page + 1).convertToFormat(QImage::Format_RGB32),
                book.renderPage(page).convertToFormat(QImage::Format_RGB32));
        }
        QCOMPARE(leftovers(), QStringList {QStringLiteral("book.pdf")});
    }

    void pageAsAReaderDrawsIt()
    {
        CopyBookWidget book;
        book.setContent(::characters(20));
        const QString pdf = path(QStringLiteral("read.pdf"));
        QVERIFY(book.saveToPdf(pdf));
        const QImage expected = book.renderPage(1);
        // The reader rounds the page's 3508.46 pixel height up; the extra row is below the page image.
        const QImage drawn = PdfTools::renderedPage(pdf, 2, 300).copy(expected.rect());
        QVERIFY(!drawn.isNull());
        QVERIFY(meanDifference(drawn, expected) < 1.0);
    }

    void unwritableTargets_data()
    {
        QTest::addColumn<QString>("target");
        QTest::newRow("missing directory") << QStringLiteral("missing/book.pdf");
        QTest::newRow("a directory") << QStringLiteral("adir");
    }

    void unwritableTargets()
    {
        QFETCH(QString, target);
        QDir(directory.path()).mkdir(QStringLiteral("adir"));
        CopyBookWidget book;
        QVERIFY(!book.saveToPdf(path(target)));
        QVERIFY(leftovers().isEmpty());
        QVERIFY(QFileInfo(path(QStringLiteral("adir"))).isDir());
        QDir(directory.path()).rmdir(QStringLiteral("adir"));
    }

    // A disk that fills up part-way: the write comes back short without an error flag. The export must
    // notice, leave the old file as it was and leave no temporary file.
    void writeErrorPartWay_data()
    {
        QTest::addColumn<int>("limitBytes");
        QTest::newRow("within the first page") << 100 * 1024;
        QTest::newRow("within the third page") << 900 * 1024;
        // A write cut short without any error, and no write after it that could fail: only a check of
        // every write's length notices.
        QTest::newRow("three bytes before the end") << -3;
    }

    void writeErrorPartWay()
    {
        QFETCH(int, limitBytes);
        const QString pdf = path(QStringLiteral("keep.pdf"));
        QVERIFY(writeFile(pdf, "precious old contents"));
        CopyBookWidget book;
        book.setContent(::characters(60));
        if (limitBytes <= 0) {
            const QString full = path(QStringLiteral("full.pdf"));
            QVERIFY(book.saveToPdf(full));
            limitBytes += static_cast<int>(QFileInfo(full).size());
            QFile::remove(full);
        }
        bool saved = true;
        {
            const FileSizeLimit limit(static_cast<rlim_t>(limitBytes));
            saved = book.saveToPdf(pdf);
        }
        QVERIFY(!saved);
        QCOMPARE(contentsOf(pdf), QByteArray("precious old contents"));
        QCOMPARE(leftovers(), QStringList {QStringLiteral("keep.pdf")});
    }

    void progressAndCancel_data()
    {
        QTest::addColumn<int>("cancelAfter");
        QTest::newRow("runs to the end") << 0;
        QTest::newRow("cancelled after page 2") << 2;
    }

    void progressAndCancel()
    {
        QFETCH(int, cancelAfter);
        const QString pdf = path(QStringLiteral("progress.pdf"));
        QVERIFY(writeFile(pdf, "old"));
        CopyBookWidget book;
        book.setContent(::characters(60));
        QVector<int> reported;
        const bool saved = book.saveToPdf(pdf, [&](int done, int count) {
            [&] { QCOMPARE(count, 4); }();
            reported.append(done);
            return done != cancelAfter;
        });
        QCOMPARE(saved, cancelAfter == 0);
        const QVector<int> expected = cancelAfter == 0 ? QVector<int> {1, 2, 3, 4} : QVector<int> {1, 2};
        QCOMPARE(reported, expected);
        QCOMPARE(contentsOf(pdf) == "old", cancelAfter != 0);
        QCOMPARE(leftovers(), QStringList {QStringLiteral("progress.pdf")});
    }
};

QTEST_MAIN(TestPdfExport)
#include "tst_pdfexport.moc"
