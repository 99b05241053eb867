#include "copybook.h"
#include "fonts.h"
#include "pagepictures.h"
#include "pixels.h"
#include "testfiles.h"

#include <QtTest>

class TestPagePictures : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir directory;

    QString path(const QString &name) const { return directory.filePath(name); }
    QStringList files() const { return QDir(directory.path()).entryList(QDir::Files | QDir::Hidden); }

    // Four pages with text in every place it goes: glyphs, pinyin, a title, page numbers and the ruler.
    static CopyBookPages dressedBook()
    {
        CopyBookOptions::OptionValues options;
        options.pinyin = options.pageNumbers = options.ruler = true;
        options.title = QStringLiteral("练习");
        CopyBook book;
        book.setOptions(options);
        book.setText(ideographs(35, 7));
        return book.pages();
    }

private slots:
    void initTestCase() { installKaiFontSubstitution(); }

    void cleanup()
    {
        for (const QString &file : files())
            QFile::remove(path(file));
    }

    // Every page to its numbered file, an old one replaced: a PNG is the page image the PDF holds, an SVG
    // draws the same page, glyphs and all, as a reader that lacks the glyph font shows it.
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
        const CopyBookPages pages = dressedBook();
        QCOMPARE(pages.pageCount(), 4);
        QVERIFY(writeFile(path("book-2." + suffix), "old"));
        QString error;
        QVERIFY2(PagePictures::saveAll(pages, path("book." + suffix), {}, &error), qPrintable(error));
        const QStringList numbered {"book-1." + suffix, "book-2." + suffix, "book-3." + suffix, "book-4." + suffix};
        QCOMPARE(files(), numbered);
        if (suffix == "png") {
            for (int page = 0; page < 4; ++page) {
                const QImage picture(path(numbered[page]));
                QCOMPARE(picture.convertToFormat(QImage::Format_RGB32),
                    pages.renderPage(page).convertToFormat(QImage::Format_RGB32));
                QCOMPARE(qRound(picture.dotsPerMeterX() * 0.0254), 300);
            }
            return;
        }
        if (QStandardPaths::findExecutable("rsvg-convert").isEmpty())
            QSKIP("needs librsvg2-bin");
        for (int page = 0; page < 4; ++page) {
            QProcess reader;
            reader.start("rsvg-convert", {"-d", "300", "-p", "300", "-b", "white", path(numbered[page])});
            QVERIFY(reader.waitForFinished(60000));
            const QImage drawn = QImage::fromData(reader.readAllStandardOutput());
            QCOMPARE(drawn.width(), 2480);
            // A quarter of the size, where the readers' ways with a line a pixel wide no longer show.
            const auto reduced = [](const QImage &image) {
                return image.copy(0, 0, 2480, 3508).scaled(620, 877, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
            };
            const Difference apart = difference(reduced(pages.renderPage(page)), reduced(drawn));
            // Another page or a glyph in another font is 5 to 8 levels apart.
            QVERIFY2(apart.mean < 2.0, qPrintable(QString::number(apart.mean)));
        }
    }

#ifndef Q_OS_WIN
    // A disk that fills up: false, naming the file, which stays as it was; nothing half-written.
    void diskFull()
    {
        QVERIFY(writeFile(path("book-1.png"), "old"));
        bool saved = true;
        QString error;
        {
            const FileSizeLimit limit(16 * 1024);
            saved = PagePictures::saveAll(dressedBook(), path("book.png"), {}, &error);
        }
        QVERIFY(!saved);
        QVERIFY2(error.startsWith(path("book-1.png") + ": "), qPrintable(error));
        QCOMPARE(contentsOf(path("book-1.png")), QByteArray("old"));
        QCOMPARE(files(), QStringList {"book-1.png"});
    }
#endif
};

QTEST_MAIN(TestPagePictures)
#include "tst_pagepictures.moc"
