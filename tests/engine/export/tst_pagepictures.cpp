#include "copybook.h"
#include "fonts.h"
#include "pagepictures.h"
#include "pixels.h"
#include "testfiles.h"

#include <QtTest>

class TestPagePictures : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { installKaiFontSubstitution(); }

    // Four pages with text wherever it goes (glyphs, pinyin, title, page numbers, ruler), each to its numbered
    // file, an old one replaced: a PNG is the page image the PDF holds, an SVG draws the same page, glyphs and
    // all, as a reader without the glyph font shows it. A disk that fills up leaves every file whole.
    void fourPages_data()
    {
        QTest::addColumn<QString>("suffix");
        QTest::newRow("png") << "png";
        QTest::newRow("svg") << "svg";
    }

    void fourPages()
    {
        QFETCH(QString, suffix);
        if (suffix == "svg" && !PagePictures::writesSvg())
            QSKIP("this build writes no SVG");
        CopyBookOptions::OptionValues options;
        options.pinyin = options.pageNumbers = options.ruler = true;
        options.title = QStringLiteral("练习");
        CopyBook book;
        book.setOptions(options);
        book.setText(ideographs(35, 7));
        const CopyBookPages pages = book.pages();
        QTemporaryDir directory;
        const QStringList numbered = PagePictures::fileNames(directory.filePath("book." + suffix), 4);
        QVERIFY(writeFile(numbered[1], "old"));
        QString error;
        QVERIFY2(PagePictures::saveAll(pages, directory.filePath("book." + suffix), {}, &error), qPrintable(error));
        QCOMPARE(QDir(directory.path()).entryList(QDir::Files | QDir::Hidden).size(), 4);
        for (int page = 0; page < 4; ++page) {
            QImage drawn(numbered[page]);
            if (suffix == "svg") {
                QProcess reader;
                reader.start("rsvg-convert", {"-d", "300", "-p", "300", "-b", "white", numbered[page]});
                QVERIFY2(reader.waitForStarted() && reader.waitForFinished(60000), "needs rsvg-convert (librsvg2-bin)");
                drawn = QImage::fromData(reader.readAllStandardOutput());
            } else {
                QCOMPARE(qRound(drawn.dotsPerMeterX() * 0.0254), 300);
            }
            // At true size: A4 at 300 dpi.
            QCOMPARE(drawn.width(), 2480);
            // A quarter of the size, where the readers' ways with a line a pixel wide no longer show; another
            // page, or the glyphs in another font, is 5 to 8 levels apart.
            const auto reduced = [](const QImage &image) {
                return image.copy(0, 0, 2480, 3508).scaled(620, 877, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
            };
            const Difference apart = difference(reduced(pages.renderPage(page)), reduced(drawn));
            QVERIFY2(apart.mean < (suffix == "png" ? 0.01 : 2.0), qPrintable(QString::number(apart.mean)));
        }
#ifndef Q_OS_WIN
        const QByteArray first = contentsOf(numbered[0]);
        const FileSizeLimit limit(16 * 1024);
        QVERIFY(!PagePictures::saveAll(pages, directory.filePath("book." + suffix), {}, &error));
        QVERIFY2(error.startsWith(numbered[0] + ": "), qPrintable(error));
        QCOMPARE(contentsOf(numbered[0]), first);
        QCOMPARE(QDir(directory.path()).entryList(QDir::Files | QDir::Hidden).size(), 4);
#endif
    }
};

QTEST_MAIN(TestPagePictures)
#include "tst_pagepictures.moc"
