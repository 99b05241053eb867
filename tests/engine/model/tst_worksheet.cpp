#include "optiontable.h"
#include "worksheet.h"

#include <QtTest>

using namespace CopyBookOptions;

static QByteArray worksheetWith(const QByteArray &members)
{
    return R"({"format": "lattiscribe-worksheet", "version": 1, "text": "永")" + members + '}';
}

class TestWorksheet : public QObject
{
    Q_OBJECT

private slots:
    // A file's bytes, and what is read: an option's value as the settings store would hold it, or why the
    // file is refused ("!reason").
    void reading_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("expected");
        QTest::newRow("a size out of range is clamped")
            << worksheetWith(R"(, "options": {"CellSize": 100})") << "CellSize=10";
        // Beyond a float, a count beyond an int: held to the range all the same.
        QTest::newRow("a size beyond any float")
            << worksheetWith(R"(, "options": {"CellSize": 1e39})") << "CellSize=10";
        QTest::newRow("a count beyond an int")
            << worksheetWith(R"(, "options": {"BlankLines": 4294967297})") << "BlankLines=5";
        // The store keeps a book type or trace type off its list; a worksheet does not.
        QTest::newRow("a book type off the list") << worksheetWith(R"(, "options": {"BookType": 9})") << "BookType=0";
        QTest::newRow("a trace type off the list")
            << worksheetWith(R"(, "options": {"TraceType": -4})") << "TraceType=1";
        QTest::newRow("truncated") << worksheetWith("").chopped(6) << "!not a complete worksheet";
        QTest::newRow("another program's JSON") << QByteArray(R"({"text": "永"})") << "!not a LattiScribe worksheet";
        QTest::newRow("a newer version") << QByteArray(
            R"({"format": "lattiscribe-worksheet", "version": 2, "text": 7})")
                                         << "!format version 2, newer than this program's 1";
        QTest::newRow("a NUL in the text")
            << worksheetWith(R"(, "text": "永\u0000字")") << "!holds a NUL at character 1";
        // Raw, a NUL is no JSON; Qt's reader would take it and order the keys holding it wrongly.
        QTest::newRow("a NUL byte") << worksheetWith(QByteArray(", \"x\": {\"\0b\": 1, \"\0\0a\": 2}", 26))
                                    << "!a NUL byte at byte offset 72";
    }

    void reading()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, expected);
        const WorksheetReading reading = WorksheetReading::fromJson(bytes);
        QCOMPARE(reading.problem != WorksheetReading::Problem::None, expected.startsWith('!'));
        if (expected.startsWith('!')) {
            QVERIFY2(reading.reason.contains(expected.mid(1)), qPrintable(reading.reason));
            return;
        }
        QCOMPARE(valueOf(reading.sheet.options, *findOption(expected.section('=', 0, 0))).toString(),
            expected.section('=', 1));
    }

    // Saved, opened and saved again, a sheet gives the same file: a byte-order mark at the start of a text
    // (which Qt's reader drops from a string as written) included.
    void savedAgainTheSame()
    {
        Worksheet sheet;
        sheet.text = QStringLiteral("\uFEFF永");
        sheet.options.title = QStringLiteral("\uFEFF第一课");
        const QByteArray saved = sheet.toJson();
        const WorksheetReading reading = WorksheetReading::fromJson(saved);
        QCOMPARE(reading.sheet.text, sheet.text);
        QCOMPARE(reading.sheet.options.title, sheet.options.title);
        QCOMPARE(reading.sheet.toJson(), saved);
    }
};

QTEST_GUILESS_MAIN(TestWorksheet)
#include "tst_worksheet.moc"
