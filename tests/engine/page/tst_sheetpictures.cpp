#include "copybook.h"
#include "fonts.h"
#include "pixels.h"

#include <QPainter>
#include <QtTest>
#include <functional>

using namespace CopyBookOptions;

Q_DECLARE_METATYPE(CopyBookOptions::OptionValues)

// Every option beyond the first version's page, against pictures of the page's top and foot that this test
// made and that were checked by eye (LATTISCRIBE_NEW_PICTURES=1 makes them anew). Antialiasing may differ
// by a few levels between machines; a line or a glyph drawn otherwise differs by far more.
class TestSheetPictures : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { installKaiFontSubstitution(); }

    void sheetOptions_data()
    {
        QTest::addColumn<OptionValues>("options");
        const auto row = [](const char *name, const std::function<void(OptionValues &)> &set) {
            OptionValues options;
            set(options);
            QTest::newRow(name) << options;
        };
        row("mi-grid", [](OptionValues &o) { o.gridStyle = GridStyle::Mi; });
        row("square-grid", [](OptionValues &o) { o.gridStyle = GridStyle::Square; });
        row("hui-grid", [](OptionValues &o) { o.gridStyle = GridStyle::Hui; });
        row("nine-grid", [](OptionValues &o) { o.gridStyle = GridStyle::Nine; });
        row("hollow-and-furniture", [](OptionValues &o) {
            o.traceStyle = TraceStyle::Hollow;
            o.title = QStringLiteral("永字八法练习");
            o.nameFields = true;
            o.pageNumbers = true;
        });
        row("pinyin", [](OptionValues &o) { o.pinyin = true; });
        row("pinyin-only", [](OptionValues &o) { o.pinyinOnly = true; });
        row("stroke-order", [](OptionValues &o) { o.strokeOrder = true; });
        // The card with its numbered strokes, facts and words, and the names under the frames.
        row("card", [](OptionValues &o) { o.card = o.strokeOrder = o.pinyin = true; });
        // On A5, where a centred page number would meet the ruler.
        row("ruler", [](OptionValues &o) {
            o.ruler = o.pageNumbers = true;
            o.paper = Paper::A5;
        });
    }

    void sheetOptions()
    {
        QFETCH(OptionValues, options);
        CopyBook book;
        book.setOptions(options);
        book.setText(QStringLiteral("永"));
        // The title, the names and the first row, and the foot with the page number, in grey levels.
        const QImage page = book.pages().renderPage(0);
        QImage picture(page.width(), 720, QImage::Format_RGB32);
        QPainter painter(&picture);
        painter.drawImage(0, 0, page, 0, 0, page.width(), 560);
        painter.drawImage(0, 560, page, 0, page.height() - 160, page.width(), 160);
        painter.end();
        picture = picture.convertToFormat(QImage::Format_Grayscale8);
        const QString file = QStringLiteral(PICTURES_DIR "/%1.png").arg(QLatin1String(QTest::currentDataTag()));
        if (qEnvironmentVariableIsSet("LATTISCRIBE_NEW_PICTURES"))
            QVERIFY(picture.save(file));
        const QImage expected(file);
        QVERIFY2(expected.size() == picture.size(), qPrintable(file));
        const Difference apart = difference(picture, expected);
#ifdef Q_OS_WIN
        // The pictures are FreeType's; Windows' engine sets Latin text a pixel or so aside, so the page as
        // a whole is compared there, which still tells a missing or misplaced line of text.
        const bool alike = apart.mean < 0.8;
#else
        const bool alike = apart.far <= 50;
#endif
        if (!alike)
            QFAIL(qPrintable(QStringLiteral("%1 channel values far apart (mean %2) from %3; %4")
                                 .arg(apart.far)
                                 .arg(apart.mean)
                                 .arg(file, keepMismatch(picture, expected, QLatin1String(QTest::currentDataTag())))));
    }
};

QTEST_MAIN(TestSheetPictures)
#include "tst_sheetpictures.moc"
