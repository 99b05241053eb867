#include "pdftools.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

namespace {

struct Run
{
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

Run render(const QStringList &arguments, const QByteArray &input = {})
{
    QProcess process;
    process.start(QStringLiteral(RENDER_BINARY), arguments);
    process.write(input);
    process.closeWriteChannel();
    Run run;
    if (!process.waitForFinished(120000))
        return run;
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

QJsonObject layout(const QStringList &options, const QByteArray &input)
{
    const Run run = render(QStringList {QStringLiteral("--layout")} + options, input);
    return run.exitCode == 0 ? QJsonDocument::fromJson(run.out).object() : QJsonObject();
}

QString glyphs(const QJsonObject &layout)
{
    QString result;
    for (const QJsonValue &cell : layout.value(QStringLiteral("cells")).toArray()) {
        const QJsonObject c = cell.toObject();
        result += QStringLiteral("%1@%2,%3 ")
                      .arg(c.value(QStringLiteral("char")).toString())
                      .arg(c.value(QStringLiteral("row")).toInt())
                      .arg(c.value(QStringLiteral("column")).toInt());
    }
    return result.trimmed();
}

} // namespace

class TestRenderer : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir directory;
    QString path(const QString &name) const { return directory.filePath(name); }

private slots:
    void initTestCase() { QVERIFY(directory.isValid()); }

    void rejectsBadInput_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message");
        const QString pdf = QDir::temp().filePath(QStringLiteral("never-written.pdf"));
        const QStringList out {QStringLiteral("-o"), pdf};
        QTest::newRow("unknown option") << (out + QStringList {QStringLiteral("--colour")}) << QByteArray() << 2
                                        << QStringLiteral("colour");
        QTest::newRow("no output") << QStringList() << QByteArray() << 2 << QStringLiteral("--output");
        QTest::newRow("unknown output kind") << QStringList {QStringLiteral("-o"), QStringLiteral("x.txt")}
                                             << QByteArray() << 2 << QStringLiteral(".pdf or .png");
        QTest::newRow("cell size not a number")
            << (out + QStringList {QStringLiteral("--cell-size"), QStringLiteral("big")}) << QByteArray() << 2
            << QStringLiteral("not a number");
        QTest::newRow("cell size below range")
            << (out + QStringList {QStringLiteral("--cell-size"), QStringLiteral("0.4")}) << QByteArray() << 2
            << QStringLiteral("outside");
        QTest::newRow("font size above range")
            << (out + QStringList {QStringLiteral("--font-size"), QStringLiteral("10.5")}) << QByteArray() << 2
            << QStringLiteral("outside");
        QTest::newRow("opacity not finite") << (out + QStringList {QStringLiteral("--opacity"), QStringLiteral("nan")})
                                            << QByteArray() << 2 << QStringLiteral("not a number");
        QTest::newRow("blank lines not whole")
            << (out + QStringList {QStringLiteral("--blank-lines"), QStringLiteral("1.5")}) << QByteArray() << 2
            << QStringLiteral("whole");
        QTest::newRow("blank lines above range")
            << (out + QStringList {QStringLiteral("--blank-lines"), QStringLiteral("6")}) << QByteArray() << 2
            << QStringLiteral("outside");
        QTest::newRow("negative page") << (out + QStringList {QStringLiteral("--page"), QStringLiteral("-1")})
                                       << QByteArray() << 2 << QStringLiteral("outside");
        QTest::newRow("unknown book type")
            << (out + QStringList {QStringLiteral("--book-type"), QStringLiteral("draw")}) << QByteArray() << 2
            << QStringLiteral("trace, copy");
        QTest::newRow("unknown colour") << (out
            + QStringList {QStringLiteral("--grid-color"), QStringLiteral("#12345")})
                                        << QByteArray() << 2 << QStringLiteral("not a colour");
        QTest::newRow("missing input file") << (out + QStringList {QStringLiteral("/nonexistent/text.txt")})
                                            << QByteArray() << 1 << QStringLiteral("cannot read");
        QTest::newRow("invalid UTF-8 names the offset")
            << out << QByteArray("ab\xe6\xb0") << 1 << QStringLiteral("byte offset 2");
        QTest::newRow("overlong UTF-8") << out << QByteArray("\xc0\xaf") << 1 << QStringLiteral("byte offset 0");
        QTest::newRow("UTF-8 surrogate") << out << QByteArray("a\xed\xa0\x80") << 1 << QStringLiteral("byte offset 1");
        QTest::newRow("page past the last") << QStringList {QStringLiteral("-o"),
            QDir::temp().filePath(QStringLiteral("never.png")), QStringLiteral("--page"), QStringLiteral("1")}
                                            << QByteArray("永") << 1 << QStringLiteral("1 page");
        QTest::newRow("unwritable output")
            << QStringList {QStringLiteral("-o"), QStringLiteral("/nonexistent/dir/x.pdf")} << QByteArray("永") << 1
            << QStringLiteral("cannot write");
    }

    void rejectsBadInput()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, input);
        QFETCH(int, exitCode);
        QFETCH(QString, message);
        const Run run = render(arguments, input);
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY2(QString::fromUtf8(run.err).contains(message), run.err.constData());
        QVERIFY(run.out.isEmpty());
        QVERIFY(!QFile::exists(QDir::temp().filePath(QStringLiteral("never-written.pdf"))));
        QVERIFY(!QFile::exists(QDir::temp().filePath(QStringLiteral("never.png"))));
    }

    void helpAndVersion()
    {
        const Run help = render({QStringLiteral("--help")});
        QCOMPARE(help.exitCode, 0);
        QVERIFY(help.out.contains("--book-type"));
        const Run version = render({QStringLiteral("--version")});
        QCOMPARE(version.exitCode, 0);
        QVERIFY(version.out.contains("0.1.0"));
    }

    void layoutDefaults()
    {
        const QJsonObject json = layout({}, QByteArray("永字"));
        QCOMPARE(json.keys(),
            (QStringList {QStringLiteral("cellSizePx"), QStringLiteral("cells"), QStringLiteral("columns"),
                QStringLiteral("glyphPixelSize"), QStringLiteral("pageGrid"), QStringLiteral("pages"),
                QStringLiteral("rowsPerPage")}));
        QCOMPARE(json.value(QStringLiteral("rowsPerPage")).toInt(), 15);
        QCOMPARE(json.value(QStringLiteral("columns")).toInt(), 11);
        QCOMPARE(json.value(QStringLiteral("pages")).toInt(), 1);
        QCOMPARE(json.value(QStringLiteral("glyphPixelSize")).toInt(), 141);
        QVERIFY(qAbs(json.value(QStringLiteral("cellSizePx")).toDouble() - 177.16535) < 1e-4);
        const QJsonArray grid = json.value(QStringLiteral("pageGrid")).toArray();
        QCOMPARE(grid.size(), 15);
        QCOMPARE(grid.at(0).toArray().size(), 11);
        QVERIFY(qAbs(grid.at(0).toArray().at(0).toArray().at(0).toDouble() - 265.748) < 0.01);
        const QJsonArray cells = json.value(QStringLiteral("cells")).toArray();
        QCOMPARE(cells.size(), 12);
        QCOMPARE(cells.at(0).toObject().value(QStringLiteral("opacity")).toDouble(), 1.0);
        // The default opacity is the single-precision 0.6, as the program stores it.
        QCOMPARE(cells.at(1).toObject().value(QStringLiteral("opacity")).toDouble(), double(0.6f));
    }

    void optionsReachTheEngine_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::newRow("cell size") << QStringList {QStringLiteral("--cell-size"), QStringLiteral("2")}
                                   << QByteArray("永") << QStringLiteral("columns") << QStringLiteral("8");
        QTest::newRow("font size") << QStringList {QStringLiteral("--font-size"), QStringLiteral("0.5")}
                                   << QByteArray("永") << QStringLiteral("glyphPixelSize") << QStringLiteral("59");
        QTest::newRow("trace none") << QStringList {QStringLiteral("--trace-type"), QStringLiteral("none")}
                                    << QByteArray("永字") << QStringLiteral("glyphs")
                                    << QStringLiteral("永@0,0 字@1,0");
        QTest::newRow("copy with blank lines")
            << QStringList {QStringLiteral("--book-type"), QStringLiteral("copy"), QStringLiteral("--blank-lines"),
                   QStringLiteral("1")}
            << QByteArray("永\n字") << QStringLiteral("glyphs") << QStringLiteral("永@0,0 字@2,0");
        QTest::newRow("BOM dropped, CR LF and CR are line feeds")
            << QStringList {QStringLiteral("--book-type"), QStringLiteral("copy"), QStringLiteral("--all-characters")}
            << QByteArray("\xef\xbb\xbf永\r\n字\r八") << QStringLiteral("glyphs")
            << QStringLiteral("永@0,0 字@1,0 八@2,0");
        QTest::newRow("all characters") << QStringList {QStringLiteral("--all-characters"),
            QStringLiteral("--trace-type"), QStringLiteral("none")}
                                        << QByteArray("a,") << QStringLiteral("glyphs")
                                        << QStringLiteral("a@0,0 ,@1,0");
        QTest::newRow("pages") << QStringList {QStringLiteral("--trace-type"), QStringLiteral("none")}
                               << QByteArray("一二三四五六七八九十百千万亿兆京") << QStringLiteral("pages")
                               << QStringLiteral("2");
    }

    void optionsReachTheEngine()
    {
        QFETCH(QStringList, options);
        QFETCH(QByteArray, input);
        QFETCH(QString, key);
        QFETCH(QString, value);
        const QJsonObject json = layout(options, input);
        QVERIFY(!json.isEmpty());
        const QString actual
            = key == QLatin1String("glyphs") ? glyphs(json) : QString::number(json.value(key).toDouble());
        QCOMPARE(actual, value);
    }

    void pngPage()
    {
        QFile text(path(QStringLiteral("text.txt")));
        QVERIFY(text.open(QIODevice::WriteOnly));
        text.write("一二三四五六七八九十百千万亿兆京");
        text.close();
        const QString png = path(QStringLiteral("page.png"));
        const Run run = render({QStringLiteral("-o"), png, QStringLiteral("--page"), QStringLiteral("1"),
            QStringLiteral("--trace-type"), QStringLiteral("none"), text.fileName()});
        QCOMPARE(run.exitCode, 0);
        const QImage image(png);
        QCOMPARE(image.size(), QSize(2480, 3508));
        QCOMPARE(qRound(image.dotsPerMeterX() * 0.0254), 300);
    }

    void pdfFromStandardInput()
    {
        const QString pdf = path(QStringLiteral("book.pdf"));
        const Run run = render(
            {QStringLiteral("-o"), pdf, QStringLiteral("-"), QStringLiteral("--text-color"), QStringLiteral("navy")},
            QByteArray("一二三四五六七八九十百千万亿兆京"));
        QCOMPARE(run.exitCode, 0);
        // Standard error is not a terminal here: no progress output.
        QVERIFY(!run.err.contains("page 1 of"));
        const QMap<QString, QString> info = PdfTools::info(pdf);
        QCOMPARE(info.value(QStringLiteral("Pages")), QStringLiteral("2"));
        QCOMPARE(info.value(QStringLiteral("Creator")), QStringLiteral("LattiScribe"));
        QCOMPARE(PdfTools::images(pdf).size(), 2);
    }
};

QTEST_GUILESS_MAIN(TestRenderer)
#include "tst_renderer.moc"
