#include "copybookwidget.h"
#include "fonts.h"
#include "mainwindow.h"
#include "pdftools.h"
#include "renderrequest.h"
#include "renderrun.h"
#include "testfiles.h"

#include <QPrinter>
#include <QtTest>
#include <QtWidgets>

using namespace CopyBookOptions;

Q_DECLARE_METATYPE(CopyBookOptions::Paper)

namespace {

// The paper the first page came out on, in whole millimetres; the length of its ruler, the lowest line
// longer than 3 cm, in millimetres; and the side of its squares in centimetres: the grid's inked width
// above the ruler (its columns stand edge to edge) over the columns.
struct Measured
{
    QSize paperMm;
    double rulerMm = 0;
    double cellCm = 0;
};

Measured measure(const QString &pdf, int columns)
{
    // At 254 dots per inch a pixel is a tenth of a millimetre.
    const QImage page = PdfTools::renderedPage(pdf, 1, 254).convertToFormat(QImage::Format_Grayscale8);
    Measured measured {QSize(qRound(page.width() / 10.0), qRound(page.height() / 10.0))};
    int rulerY = page.height();
    while (--rulerY > 0 && measured.rulerMm <= 30) {
        int run = 0;
        for (int x = 0; x < page.width(); ++x) {
            run = page.constScanLine(rulerY)[x] < 128 ? run + 1 : 0;
            measured.rulerMm = qMax(measured.rulerMm, run / 10.0);
        }
    }
    int left = page.width();
    int right = -1;
    for (int y = 0; y < rulerY - 50; y += 4) {
        for (int x = 0; x < page.width(); ++x) {
            if (page.constScanLine(y)[x] < 250) {
                left = qMin(left, x);
                right = qMax(right, x);
            }
        }
    }
    measured.cellCm = (right - left + 1) / 100.0 / columns;
    return measured;
}

// The newest file cups-pdf wrote into `folder` after `before` files were there, once it reads as a PDF.
QString awaitSpooled(const QString &folder, int before)
{
    QString newest;
    const auto ready = [&] {
        const QFileInfoList files = QDir(folder).entryInfoList({"*.pdf"}, QDir::Files, QDir::Time);
        newest = files.size() > before ? files.first().filePath() : QString();
        return !newest.isEmpty() && PdfTools::info(newest).contains("Pages");
    };
    return QTest::qWaitFor(ready, 90000) ? newest : QString();
}

} // namespace

class TestPrinting : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir directory;
    // The cups-pdf queue that CI sets up (scripts/setup-test-printer) and the folder it writes into.
    const QString queue = qEnvironmentVariable("LATTISCRIBE_TEST_PRINTER");
    const QString spool = qEnvironmentVariable("LATTISCRIBE_TEST_PRINTER_OUT");

private slots:
    void initTestCase()
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, directory.path());
        installKaiFontSubstitution();
        if (!PdfTools::available())
            QSKIP("needs poppler-utils");
    }

    // A three-page Trace book printed from the window (Ctrl+P, the print dialogs answered by the test) or
    // from the renderer, to a PDF printer or to the CUPS queue: three pages of the book's paper, each
    // square as wide on paper as the cell size says and the ruler 5 cm long, on paper larger than the
    // book's too. A printer with smaller paper is asked about first.
    void trueSize_data()
    {
        QTest::addColumn<QString>("route");
        QTest::addColumn<Paper>("paper");
        QTest::addColumn<bool>("landscape");
        QTest::addColumn<double>("cellSize");
        QTest::addColumn<int>("printerPaper");
        QTest::addColumn<QSize>("paperMm");
        QTest::newRow("window, B5 landscape") << "window" << Paper::B5 << true << 1.5 << -1 << QSize(250, 176);
        QTest::newRow("window, Letter, 2 cm") << "window" << Paper::Letter << false << 2.0 << -1 << QSize(216, 279);
        QTest::newRow("window, A4 on A5 paper")
            << "window" << Paper::A4 << false << 1.5 << int(QPageSize::A5) << QSize();
        QTest::newRow("window, A5 on A4 paper")
            << "window" << Paper::A5 << false << 1.5 << int(QPageSize::A4) << QSize(210, 297);
        QTest::newRow("window to CUPS, B5") << "window queue" << Paper::B5 << false << 1.5 << -1 << QSize(176, 250);
        QTest::newRow("renderer to CUPS, A4") << "renderer queue" << Paper::A4 << false << 1.5 << -1 << QSize(210, 297);
    }

    void trueSize()
    {
        QFETCH(QString, route);
        QFETCH(Paper, paper);
        QFETCH(bool, landscape);
        QFETCH(double, cellSize);
        QFETCH(int, printerPaper);
        QFETCH(QSize, paperMm);
        const bool toQueue = route.endsWith(QLatin1String("queue"));
        if (toQueue && (queue.isEmpty() || spool.isEmpty()))
            QSKIP("needs a cups-pdf queue: LATTISCRIBE_TEST_PRINTER and LATTISCRIBE_TEST_PRINTER_OUT");

        MainWindow window;
        CopyBookWidget *preview = window.findChild<CopyBookWidget *>();
        OptionValues options = preview->copyBook().options();
        options.paper = paper;
        options.landscape = landscape;
        options.cellSize = cellSize;
        options.ruler = true;
        preview->setOptions(options);
        const int rows = preview->copyBook().rowsPerPage();
        const QString text = ideographs(2 * rows + 1);
        preview->setContent(text);
        QCOMPARE(preview->copyBook().pageCount(), 3);
        const int columns = preview->copyBook().pages().pageGrid.first().size();

        const int spooled = toQueue ? QDir(spool).entryList({"*.pdf"}, QDir::Files).size() : 0;
        const QString file = directory.filePath(QTest::currentDataTag() + QStringLiteral(".pdf"));
        QStringList asked;
        window.dialogs.askYesNo = [&asked](QWidget *, const QString &question) {
            asked << question;
            return false;
        };
        window.dialogs.previewPrint = [&](QWidget *, QPrinter *printer, const std::function<void(QPrinter *)> &paint) {
            // As the system's print dialog leaves the printer when the user picks one and accepts.
            if (toQueue)
                printer->setPrinterName(queue);
            else
                printer->setOutputFileName(file);
            if (printerPaper >= 0)
                printer->setPageSize(QPageSize(QPageSize::PageSizeId(printerPaper)));
            paint(printer);
        };
        if (route == QLatin1String("renderer queue")) {
            const Run run
                = render({"--print", queue, "--ruler", "--cell-size", QString::number(cellSize)}, text.toUtf8());
            QVERIFY2(run.exitCode == RendererSuccess, run.err);
        } else {
            window.show();
            QVERIFY(QTest::qWaitForWindowExposed(&window));
            QTest::keyClick(&window, Qt::Key_P, Qt::ControlModifier);
        }

        if (!paperMm.isValid()) {
            QCOMPARE(asked.size(), 1);
            QVERIFY2(asked.first().contains(QStringLiteral("A5 (148 × 210 mm)")), qPrintable(asked.first()));
            QVERIFY(!QFile::exists(file));
            return;
        }
        QVERIFY(asked.isEmpty());
        const QString printed = toQueue ? awaitSpooled(spool, spooled) : file;
        QVERIFY2(!printed.isEmpty(), "nothing was printed");
        QCOMPARE(PdfTools::info(printed).value("Pages"), QString("3"));
        const Measured page = measure(printed, columns);
        if (toQueue)
            QFile::remove(printed);
        QCOMPARE(page.paperMm, paperMm);
        QVERIFY2(qAbs(page.cellCm - cellSize) <= 0.01 * cellSize, qPrintable(QString::number(page.cellCm)));
        QVERIFY2(qAbs(page.rulerMm - 50) <= 0.3, qPrintable(QString::number(page.rulerMm)));
    }

    // --print takes the next argument as the printer unless it is an option (or "-", standard input).
    void printerArgument_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("printer");
        QTest::addColumn<QString>("input");
        const auto row = [](const char *arguments, const char *printer, const char *input) {
            QTest::newRow(arguments) << QString(arguments).split(' ') << QString(printer) << QString(input);
        };
        row("--print room-12 text.txt", "room-12", "text.txt");
        row("text.txt --print", "", "text.txt");
        row("--print -", "", "-");
        row("--print --paper b5", "", "");
        row("--print -o a.pdf", "", "");
    }

    void printerArgument()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, printer);
        QFETCH(QString, input);
        const RenderRequest request = parseRenderRequest(QStringList {"lattiscribe-render"} + arguments);
        const bool alone = !arguments.contains("-o");
        QCOMPARE(request.action, alone ? RenderRequest::Action::Render : RenderRequest::Action::Fail);
        QVERIFY(request.prints);
        QCOMPARE(request.printer, printer);
        QCOMPARE(request.inputPath, input);
    }

    // A job the print system cannot take ends the renderer with status 1 and the system's reason.
    void refusedJob_data()
    {
        QTest::addColumn<QString>("printer");
        QTest::addColumn<QString>("reason");
        QTest::newRow("no such printer") << QString("no-such-printer")
                                         << QString("cannot print: no printer is named no-such-printer");
        QTest::newRow("rejecting jobs") << QString("rejecting") << QString("not accepting jobs");
    }

    void refusedJob()
    {
        QFETCH(QString, printer);
        QFETCH(QString, reason);
        if (printer == QLatin1String("rejecting")) {
            if (queue.isEmpty())
                QSKIP("needs the CI's print queues");
            printer = queue + QStringLiteral("-rejecting");
        }
        const Run run = render({"--print", printer}, "天地");
        QCOMPARE(run.exitCode, int(RendererInputOutputError));
        QVERIFY2(run.err.contains(reason.toUtf8()), run.err);
    }
};

QTEST_MAIN(TestPrinting)
#include "tst_printing.moc"
