#include "awayfromdefaults.h"
#include "copybook.h"
#include "fonts.h"
#include "pdfexport.h"
#include "pdftools.h"
#include "pixels.h"
#include "rasterpageencoder.h"
#include "testfiles.h"

#include <QtEndian>
#include <QtTest>
#include <thread>

using namespace CopyBookOptions;

Q_DECLARE_METATYPE(CopyBookOptions::Paper)
Q_DECLARE_METATYPE(CopyBookOptions::OptionValues)

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

    // One A4 page for each of the engine's pages, in a file that passes qpdf's check and replaces an old one.
    // Page images are lossless, one to a page, each exactly the engine's page however many workers made
    // it, and a reader draws it where the page is. The vector way draws the same pages from lines and
    // embedded font outlines, in a fraction of the size.
    void pages_data()
    {
        QTest::addColumn<int>("characters");
        QTest::addColumn<int>("jobs");
        QTest::addColumn<bool>("dressed");
        QTest::addColumn<bool>("vector");
        QTest::addColumn<int>("pages");
        QTest::addColumn<CopyBookOptions::Paper>("paper");
        QTest::addColumn<bool>("landscape");
        QTest::newRow("empty text: one blank page") << 0 << 1 << false << false << 1 << Paper::A4 << false;
        // Six pages take each worker past a hand-over to a fresh thread, and everything that a page
        // drawn in strips could cut wrongly at a strip's edge is on them: dotted diagonals, outlined glyphs,
        // pinyin, stroke-order frames, a translucent grid and the furniture.
        QTest::newRow("six dressed pages on two workers") << 45 << 2 << true << false << 6 << Paper::A4 << false;
        QTest::newRow("B5 on its side") << 12 << 2 << false << false << 2 << Paper::B5 << true;
        QTest::newRow("Letter, vector") << 30 << 1 << false << true << 3 << Paper::Letter << false;
    }

    void pages()
    {
        QFETCH(int, characters);
        QFETCH(int, jobs);
        QFETCH(bool, dressed);
        QFETCH(bool, vector);
        QFETCH(int, pages);
        QFETCH(Paper, paper);
        QFETCH(bool, landscape);
        OptionValues options;
        if (dressed) {
            options.gridStyle = GridStyle::Mi;
            options.traceStyle = TraceStyle::Hollow;
            options.title = QStringLiteral("Title");
            options.nameFields = true;
            options.pageNumbers = true;
            options.pinyin = true;
            options.strokeOrder = true;
            options.gridColor = QColor(200, 30, 30, 160);
        }
        options.paper = paper;
        options.landscape = landscape;
        CopyBook book;
        book.setOptions(options);
        book.setText(ideographs(characters, 7));
        const QString pdf = path(QStringLiteral("book.pdf"));
        QVERIFY(writeFile(pdf, "not a pdf"));
        QVERIFY(saveCopyBookPdf(book.pages(), pdf, {vector, jobs}));
        if (!PdfTools::available())
            QSKIP("no PDF tools to read the document back");
        const QMap<QString, QString> info = PdfTools::info(pdf);
        QCOMPARE(info.value(QStringLiteral("Pages")).toInt(), pages);
        QCOMPARE(info.value(QStringLiteral("Creator")), QStringLiteral("LattiScribe"));
        const QSize size = book.pageSizePixels();
        const QStringList points = info.value(QStringLiteral("Page size")).split(QLatin1Char(' '));
        QVERIFY(qAbs(points.value(0).toDouble() - size.width() * 0.24) < 1);
        QVERIFY(qAbs(points.value(2).toDouble() - size.height() * 0.24) < 1);
        if (options.isA4Portrait())
            QVERIFY(info.value(QStringLiteral("Page size")).endsWith(QLatin1String("(A4)")));
        QVERIFY(!PdfTools::run(QStringLiteral("qpdf"), {QStringLiteral("--check"), pdf}).isEmpty());
        const QStringList images = PdfTools::images(pdf);
        QCOMPARE(images.size(), vector ? 0 : pages);
        for (int page = 0; page < images.size(); ++page) {
            QCOMPARE(images[page],
                QStringLiteral("%1 image %2 %3 yes 300").arg(page + 1).arg(size.width()).arg(size.height()));
            QCOMPARE(PdfTools::embeddedImage(pdf, page + 1).convertToFormat(QImage::Format_RGB32),
                book.pages().renderPage(page).convertToFormat(QImage::Format_RGB32));
        }
        const double apart
            = difference(book.pages().renderPage(pages - 1), PdfTools::renderedPage(pdf, pages, 300)).mean;
        // Off A4 the whole-point media box is up to a pixel wider than the image, which a reader then
        // stretches by that pixel.
        QVERIFY2(apart < (vector || !options.isA4Portrait() ? 3.0 : 1.0), qPrintable(QString::number(apart)));
        if (vector) {
            // pdffonts: two header lines, then name, type, encoding, emb, sub, uni, object ID (two fields).
            const QStringList fonts
                = PdfTools::run(QStringLiteral("pdffonts"), {pdf}).split('\n', Qt::SkipEmptyParts).mid(2);
            QVERIFY(!fonts.isEmpty() && fonts.first().startsWith(QLatin1String("UKai")));
            for (const QString &font : fonts)
                QCOMPARE(font.simplified().section(' ', -5, -5), QStringLiteral("yes"));
            QVERIFY(QFileInfo(pdf).size() < pages * 60 * 1024);
        }
        QCOMPARE(files(), QStringList {QStringLiteral("book.pdf")});
    }

    // A PDF's page image is drawn in strips, each through the page's whole drawing cut by a clip, and what
    // an option draws must come out of the strips exactly as on the whole page. Every switch of the table
    // turned by itself, so that an option added later is walked too, then a few together and every option
    // away from its default at once.
    void stripsMakeThePage_data()
    {
        QTest::addColumn<OptionValues>("options");
        QTest::addColumn<QString>("text");
        const QString text = QStringLiteral("Spring is here, the birds sing.\n") + ideographs(40, 7);
        for (const OptionRow &row : optionTable()) {
            OptionValues options;
            if (row.kindAs<Switch>() && row.kind->setFromFlag(&options, QString()).isEmpty())
                QTest::newRow(row.key) << options << text;
        }
        OptionValues dressed;
        dressed.gridStyle = GridStyle::Mi;
        dressed.traceStyle = TraceStyle::Hollow;
        dressed.title = QStringLiteral("Title");
        dressed.nameFields = dressed.pageNumbers = dressed.ruler = dressed.pinyin = dressed.strokeOrder = true;
        dressed.gridColor = QColor(200, 30, 30, 160);
        QTest::newRow("dressed: every line and mark at once") << dressed << text;
        OptionValues zhuyin;
        zhuyin.zhuyin = zhuyin.strokeOrder = zhuyin.fitGlyphs = true;
        zhuyin.gridStyle = GridStyle::Nine;
        zhuyin.paper = Paper::A5;
        zhuyin.landscape = true;
        QTest::newRow("zhuyin, stroke order and fitted glyphs on A5 landscape") << zhuyin << text;
        OptionValues staves;
        staves.fourLines = staves.ruler = staves.pageNumbers = staves.fade = true;
        staves.copies = 3;
        QTest::newRow("four lines with copies fading and the foot") << staves << text;
        // English alone on the staves: Chinese there falls back to the face of the title and the name fields,
        // whose large glyphs a thread draws a shade differently once it has drawn it small, so that the
        // strips after the first would differ from the first by a shade at the glyphs' edges.
        QTest::newRow("every option away from its default") << awayFromDefaults() << text.section('\n', 0, 0);
    }

    void stripsMakeThePage()
    {
        QFETCH(OptionValues, options);
        QFETCH(QString, text);
        CopyBook book;
        book.setOptions(options);
        book.setText(text);
        const CopyBookPages pages = book.pages();
        const QSize size = pages.pageSize(pages.resolution);
        RasterPageEncoder encoder(
            1, size, [&](int page, QImage *image, const QRect &strip) { pages.renderStripInto(image, page, strip); },
            1);
        QByteArray data;
        QString error;
        QVERIFY2(encoder.take(0, &data, &error), qPrintable(error));
        // qUncompress takes the length the data inflates to ahead of the zlib stream.
        QByteArray sized(4, '\0');
        qToBigEndian<quint32>(quint32(3 * size.width() * size.height()), sized.data());
        const QByteArray rgb = qUncompress(sized + data);
        const QImage stripped(reinterpret_cast<const uchar *>(rgb.constData()), size.width(), size.height(),
            3 * size.width(), QImage::Format_RGB888);
        // Drawn on a fresh thread as the strips are: a thread's fonts draw a glyph a shade differently once
        // they have drawn that face at another size.
        QImage whole;
        std::thread([&] { whole = pages.renderPage(0).convertToFormat(QImage::Format_RGB888); }).join();
        QVERIFY(stripped == whole);
    }

    // A target that cannot be written, a disk that fills up part-way (the write comes back short without
    // an error flag, even three bytes before the end) and a cancel: false, no file, the old one as it was,
    // no worker left running.
    void failures_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<int>("limitBytes");
        QTest::addColumn<int>("cancelAfter");
        // What the failure is put down to, and the pages reported written before it.
        QTest::addColumn<QString>("reason");
        QTest::addColumn<QVector<int>>("pagesWritten");
#ifdef Q_OS_WIN
        // The system's own words for a missing folder, which differ between Windows and Wine.
        const char *missingFolder = ".";
#else
        const char *missingFolder = "^No such file or directory$";
#endif
        QTest::newRow("missing directory")
            << QStringLiteral("missing/keep.pdf") << 0 << 0 << missingFolder << QVector<int> {};
        QTest::newRow("disk full within the first page")
            << QStringLiteral("keep.pdf") << 100 * 1024 << 0
            << "^Only \\d+ of \\d+ bytes could be written; the disk may be full\\.$" << QVector<int> {};
        QTest::newRow("disk full three bytes before the end")
            << QStringLiteral("keep.pdf") << -3 << 0 << "^Only 3 of 6 bytes could be written; the disk may be full\\.$"
            << QVector<int> {1, 2, 3};
        QTest::newRow("cancelled after page 2")
            << QStringLiteral("keep.pdf") << 0 << 2 << "^Writing canceled by application$" << QVector<int> {1, 2};
    }

    void failures()
    {
        QFETCH(QString, target);
        QFETCH(int, limitBytes);
        QFETCH(int, cancelAfter);
        QFETCH(QString, reason);
        QFETCH(QVector<int>, pagesWritten);
        const QString pdf = path(QStringLiteral("keep.pdf"));
        QVERIFY(writeFile(pdf, "precious old contents"));
        CopyBook book;
        book.setText(ideographs(60, 7));
        const PdfExportOptions twoWorkers {false, 2};
        if (limitBytes < 0) {
            QVERIFY(saveCopyBookPdf(book.pages(), path(QStringLiteral("full.pdf")), twoWorkers));
            limitBytes += static_cast<int>(QFileInfo(path(QStringLiteral("full.pdf"))).size());
            QFile::remove(path(QStringLiteral("full.pdf")));
        }
        // An export must leave none of its workers behind.
        const auto threadCount = [] { return QDir(QStringLiteral("/proc/self/task")).count(); };
        const uint threadsBefore = threadCount();
        QVector<int> reported;
        bool saved = true;
        QString error;
        {
#ifdef Q_OS_WIN
            if (limitBytes > 0)
                QSKIP("Windows has no limit on a process's file size to stand for a full disk");
#else
            const FileSizeLimit limit(limitBytes > 0 ? rlim_t(limitBytes) : RLIM_INFINITY);
#endif
            saved = saveCopyBookPdf(
                book.pages(), path(target), twoWorkers,
                [&](int done, int count) {
                    reported << done;
                    return count == 4 && done != cancelAfter;
                },
                &error);
        }
        QVERIFY(!saved);
        QVERIFY2(QRegularExpression(reason).match(error).hasMatch(), qPrintable(error));
        QCOMPARE(reported, pagesWritten);
        QCOMPARE(threadCount(), threadsBefore);
        QCOMPARE(contentsOf(pdf), QByteArray("precious old contents"));
        QCOMPARE(files(), QStringList {QStringLiteral("keep.pdf")});
    }
};

QTEST_MAIN(TestPdfExport)
#include "tst_pdfexport.moc"
