#include "copybook.h"
#include "fontfiles.h"
#include "fonts.h"
#include "optionsheld.h"
#include "optiontable.h"
#include "pagepictures.h"
#include "pdftools.h"
#include "renderrequest.h"
#include "renderrun.h"
#include "testfiles.h"
#include "textinput.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

namespace {

// The real program, for what only a process shows: its standard streams and exit status. The input comes
// through a pipe, or from the file `inputFile` when one is named.
Run renderProcess(const QStringList &arguments, const QByteArray &input = {}, const QString &inputFile = {})
{
    QProcess process;
    if (!inputFile.isEmpty())
        process.setStandardInputFile(inputFile);
    process.start(QStringLiteral(RENDER_BINARY), arguments);
    if (inputFile.isEmpty()) {
        process.write(input);
        process.closeWriteChannel();
    }
    Run run;
    if (!process.waitForFinished(120000))
        return run;
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

// The layout's value for a key, a number or, for a list, its items: for "glyphs" the cells as 永@ROW,COLUMN,
// for "readings" and "zhuyin" their readings, for "strokeFrames" each frame as 永3/5@PAGE:X,Y+SIZE, for
// "withoutStrokeOrder" the characters.
QString layoutValue(const QJsonObject &layout, const QString &key)
{
    if (layout[key].isDouble())
        return QString::number(layout[key].toDouble());
    const bool perCell = key == "glyphs" || key == "readings" || key == "zhuyin";
    QStringList items;
    for (const QJsonValue &value : layout[perCell ? "cells" : key].toArray()) {
        const QJsonObject item = value.toObject();
        const auto number = [&item](const char *name) { return QString::number(qRound(item[name].toDouble())); };
        if (value.isString())
            items << value.toString();
        else if (key == "strokeFrames")
            items << item["char"].toString() + number("stroke") + '/' + number("strokes") + '@' + number("page") + ':'
                    + number("x") + ',' + number("y") + '+' + number("size");
        else if (key == "glyphs")
            items << item["char"].toString() + '@' + number("row") + ',' + number("column");
        else
            items << item[key == "zhuyin" ? "zhuyin" : "pinyin"].toString();
    }
    return items.join(QLatin1Char(' '));
}

} // namespace

class TestRenderer : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir directory;
    QString path(const QString &name) const { return directory.filePath(name); }

private slots:
    void initTestCase()
    {
        QCoreApplication::setApplicationName(QStringLiteral("LattiScribe"));
        installKaiFontSubstitution();
    }

    // Exit statuses: 0 with the answer on standard output, 2 for a bad command line, 1 for what cannot be
    // read or written, with the reason on standard error; no file appears where a run fails.
    void statuses_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message");
        // "@" stands for the temporary directory, where nothing may appear.
        const auto row
            = [](const char *name, const char *arguments, const QByteArray &input, int exitCode, const char *message) {
                  const QString expanded = QString::fromUtf8(arguments).replace(QLatin1Char('@'), QDir::tempPath());
                  QTest::newRow(name) << expanded.split(QLatin1Char(' '), Qt::SkipEmptyParts) << input << exitCode
                                      << QString::fromUtf8(message);
              };
        row("help", "--help", {}, 0, "--book-type");
        row("version", "--version", {}, 0, "0.1.0");
        row("unknown option", "-o @/never.pdf --colour", {}, 2, "colour");
        row("cell size not a number", "-o @/never.pdf --cell-size big", {}, 2, "not a number");
        row("blank lines not whole", "-o @/never.pdf --blank-lines 1.5", {}, 2, "whole");
        row("unknown colour", "-o @/never.pdf --grid-color #12345", {}, 2, "not a colour");
        row("see-through colour", "-o @/never.pdf --grid-color #00ff0000", {}, 2, "not opaque");
        row("unknown grid style", "-o @/never.pdf --grid-style dots", {}, 2, "tian, mi, square, hui, nine");
        row("no export threads", "-o @/never.pdf --jobs 0", {}, 2, "outside");
        row("missing input file", "-o @/never.pdf /nonexistent/text.txt", {}, 1, "cannot read");
        row("undecodable input", "-o @/never.pdf", "ab\xe6\xb0", 1, "not valid UTF-8 at byte offset 2");
        row("page past the last", "-o @/never.png --page 1", "永", 1, "1 page");
        row("a list beside a file", "--layout --chars tgh1:1-9 x.txt", {}, 2, "--chars takes the place of a text");
        row("copies not whole", "--layout --copies 1.5", {}, 2, "not a whole number");
        row("four lines with pinyin", "--layout --four-lines --pinyin", {}, 2, "--four-lines writes English");
        row("four lines with zhuyin", "--layout --four-lines --zhuyin", {}, 2, "--four-lines writes English");
        row("four lines with cards", "--layout --four-lines --card", {}, 2, "--four-lines writes English");
        row("zhuyin with pinyin", "--layout --zhuyin --pinyin", {}, 2, "--zhuyin takes the place of the pinyin band");
        // With each character once too, and a text that does not begin with one: still told why.
        row("no room for a row", "-o @/never.pdf --paper a5 --landscape --cell-size 10 --pinyin --unique", "。永", 1,
            "cannot lay out the text: a row of 10 cm squares with its pinyin band is taller than the 10.98 cm");
        row("unwritable output", "-o /nonexistent/dir/x.pdf", "永", 1, "cannot write");
        row("every page of a PDF", "-o @/never.pdf --all-pages", "永", 2, "--all-pages goes with a .png or .svg");
        row("a worksheet by another name", "--save-worksheet @/never.pdf", "永", 2, "must end in .lattiscribe");
        row("facts beside pages", "--char-info -o @/never.pdf", "永", 2, "--char-info goes alone");
    }

    void statuses()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, input);
        QFETCH(int, exitCode);
        QFETCH(QString, message);
        const Run run = render(arguments, input);
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY2(QString::fromUtf8(exitCode == 0 ? run.out : run.err).contains(message), run.err.constData());
        QVERIFY((exitCode == 0 ? run.err : run.out).isEmpty());
        QVERIFY(QDir::temp().entryList({QStringLiteral("never.*")}).isEmpty());
    }

    // The bytes of a text file as the editor would hold them, or why they are refused (written "!message").
    void decoding_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("expected");
        QTest::newRow("UTF-8, mark dropped, CR LF and CR are line feeds")
            << QByteArray("\xef\xbb\xbf永\r\n字\r八") << QStringLiteral("永\n字\n八");
        QTest::newRow("two marks: the second is text")
            << QByteArray("\xef\xbb\xbf\xef\xbb\xbf永") << QStringLiteral("\uFEFF永");
        QTest::newRow("UTF-8 beyond the BMP") << QByteArray("\xf0\xa0\x80\x80") << QStringLiteral("\U00020000");
        QTest::newRow("invalid UTF-8 names the offset")
            << QByteArray("ab\xe6\xb0") << "!not valid UTF-8 at byte offset 2";
        QTest::newRow("UTF-8 surrogate") << QByteArray("a\xed\xa0\x80") << "!not valid UTF-8 at byte offset 1";
        QTest::newRow("NUL in UTF-8") << QByteArray("永\0字八法", 13) << "!NUL at byte offset 3";
        // Windows Notepad's "Unicode": UTF-16 with its mark.
        QTest::newRow("UTF-16LE") << QByteArray("\xff\xfe\x38\x6c\x57\x5b\x0d\x00\x0a\x00", 10)
                                  << QStringLiteral("永字\n");
        QTest::newRow("UTF-16BE beyond the BMP")
            << QByteArray("\xfe\xff\x6c\x38\xd8\x40\xdc\x00", 8) << QStringLiteral("永\U00020000");
        QTest::newRow("UTF-16LE, two marks") << QByteArray("\xff\xfe\xff\xfe\x38\x6c", 6) << QStringLiteral("\uFEFF永");
        QTest::newRow("NUL in UTF-16") << QByteArray("\xff\xfe\x38\x6c\x00\x00\x57\x5b", 8) << "!NUL at byte offset 4";
        QTest::newRow("UTF-16, odd length")
            << QByteArray("\xff\xfe\x38\x6c\x57", 5) << "!not valid UTF-16 at byte offset 4";
        QTest::newRow("UTF-16, lone surrogate")
            << QByteArray("\xff\xfe\x40\xd8\x38\x6c", 6) << "!not valid UTF-16 at byte offset 2";
    }

    void decoding()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, expected);
        const DecodedText decoded = decodeText(bytes);
        if (expected.startsWith(QLatin1Char('!'))) {
            QVERIFY2(decodingProblem(decoded).contains(expected.mid(1)), qPrintable(decodingProblem(decoded)));
            // The renderer refuses it so too.
            QVERIFY(render({QStringLiteral("--layout")}, bytes).err.contains(expected.mid(1).toUtf8()));
        } else {
            QCOMPARE(decoded.text, expected);
            QCOMPARE(decoded.problem, DecodedText::Problem::None);
        }
    }

    void optionsReachTheEngine_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        const auto row
            = [](const char *name, const char *options, const QByteArray &input, const char *key, const char *value) {
                  QTest::newRow(name) << QString::fromUtf8(options).split(QLatin1Char(' '), Qt::SkipEmptyParts) << input
                                      << QString::fromUtf8(key) << QString::fromUtf8(value);
              };
        row("trace none", "--trace-type none", "永字", "glyphs", "永@0,0 字@1,0");
        row("pinyin: fewer rows, the band's height", "--pinyin", "永", "pinyinBandPx", "88.5827");
        // 銀 by its word, 行 as its override says; 們 and 的 in the neutral tone.
        row("zhuyin: readings by word, an override in zhuyin", "--zhuyin --trace-type none", "銀行[ㄒㄧㄥˊ]們的",
            "zhuyin", "ㄧㄣˊ ㄒㄧㄥˊ ˙ㄇㄣ ˙ㄉㄜ");
        row("zhuyin: fewer squares to a row", "--zhuyin", "永", "columns", "8");
        row("A4 portrait: no page size", "", "永", "pageWidthPx", "");
        row("Letter on its side: the page's size", "--paper letter --landscape", "永", "pageWidthPx", "3300");
        // 永 at 1.5 cm: a line of frames 88.6 pixels high over the first row, which starts at 3.45 cm.
        row("stroke order: a frame per stroke", "--stroke-order", "永", "strokeFrames",
            "永1/5@0:266,319+89 永2/5@0:354,319+89 永3/5@0:443,319+89 永4/5@0:531,319+89 永5/5@0:620,319+89");
        row("stroke order: the frames move with the row", "--stroke-order --trace-type none --cell-size 3", "一永一",
            "strokeFrames",
            "一1/1@0:354,378+177 永1/5@0:354,933+177 永2/5@0:531,933+177 永3/5@0:709,933+177 "
            "永4/5@0:886,933+177 永5/5@0:1063,933+177 一1/1@0:354,1488+177");
        row("stroke order: characters without data", "--stroke-order", "丅永丅丆", "withoutStrokeOrder", "丅 丆");
        row("stroke order: none in a copy book", "--stroke-order --book-type copy", "永", "strokeFrames", "");
        row("odd characters", "--book-type copy --all-characters --pinyin", "\"\\\x01\t\x7f永", "glyphs",
            "\"@0,0 \\@0,1 \x01@0,2 \t@0,3 \x7f@0,4 永@0,5");
    }

    void optionsReachTheEngine()
    {
        QFETCH(QStringList, options);
        QFETCH(QByteArray, input);
        QFETCH(QString, key);
        QFETCH(QString, value);
        const Run run = render(QStringList {QStringLiteral("--layout")} + options, input);
        QCOMPARE(run.exitCode, 0);
        const QJsonDocument layout = QJsonDocument::fromJson(run.out);
        QCOMPARE(layoutValue(layout.object(), key), value);
        // Written cell by cell, exactly as the whole document would write itself.
        QCOMPARE(run.out, layout.toJson(QJsonDocument::Compact) + '\n');
    }

    // --char-info: each Han character once, in order of first appearance, as a JSON line; other text
    // (Latin, punctuation, radicals, 〇) is passed over, and a list of the standard characters is read too.
    // The teacher's words in braces are the words of the character before them, and no characters of the
    // text; readings in brackets are no text either.
    void charInfo_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QString>("characters");
        QTest::newRow("a text") << QStringList {} << QByteArray("长江长, A〇⺮江河\n\xf0\xa0\x80\x80")
                                << QString::fromUtf8("长 江 河 \U00020000");
        QTest::newRow("a list") << QStringList {"--chars", "tgh1:1-3"} << QByteArray() << QString::fromUtf8("一 乙 二");
        QTest::newRow("nothing Han") << QStringList {} << QByteArray("abc") << QString();
        QTest::newRow("the teacher's words")
            << QStringList {} << QByteArray("春[chun1]{春天 春风}来{春}") << QString::fromUtf8("春:春天,春风 来:春");
    }

    void charInfo()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, input);
        QFETCH(QString, characters);
        const Run run = render(QStringList {QStringLiteral("--char-info")} + arguments, input);
        QCOMPARE(run.exitCode, 0);
        QVERIFY(run.err.isEmpty());
        QStringList written;
        for (const QByteArray &line : run.out.split('\n')) {
            if (line.isEmpty())
                continue;
            const QJsonObject facts = QJsonDocument::fromJson(line).object();
            QStringList words;
            for (const QJsonValue word : facts["words"].toArray())
                words << word.toObject()["word"].toString();
            written << facts["char"].toString();
            // Where a character has the teacher's words, the test names them.
            if (characters.contains(written.last() + QLatin1Char(':')))
                written.last() += QLatin1Char(':') + words.join(QLatin1Char(','));
        }
        QCOMPARE(written.join(QLatin1Char(' ')), characters);
        QVERIFY(run.out.isEmpty() || run.out.endsWith('\n'));
    }

    // Every option of the table, from its flag through the request to the engine: a switch turned away from
    // its default, the others given a value here.
    void everyOptionReachesTheEngine_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("value");
        const QMap<QString, QPair<QString, QString>> values {{"BookType", {"--book-type copy", "1"}},
            {"TraceType", {"--trace-type ALL", "2"}}, {"CellSize", {"--cell-size 2.5", "2.5"}},
            {"FontName", {"--font-family Serif", "Serif"}}, {"FontSize", {"--font-size 2", "236"}},
            {"Opacity", {"--opacity 0.3", "0.30000001192092896"}}, {"BlankLines", {"--blank-lines 5", "5"}},
            {"GridColor", {"--grid-color navy", "#000080"}}, {"TextColor", {"--text-color #123456", "#123456"}},
            {"Sheet/GridStyle", {"--grid-style nine", "4"}}, {"Sheet/TraceStyle", {"--trace-style hollow", "1"}},
            {"Sheet/Copies", {"--copies 3", "3"}}, {"Sheet/Paper", {"--paper b5", "2"}},
            {"Sheet/Title", {"--title 三年级", "三年级"}}};
        for (const CopyBookOptions::OptionRow &option : CopyBookOptions::optionTable()) {
            auto [arguments, value] = values.value(QLatin1String(option.key));
            if (option.kindAs<CopyBookOptions::Switch>()) {
                arguments = QStringLiteral("--") + QLatin1String(option.flagName);
                value = QVariant(!valueOf(CopyBookOptions::OptionValues(), option).toBool()).toString();
            }
            QTest::newRow(option.key) << QString(option.key) << arguments.split(' ') + QStringList {"--layout"}
                                      << value;
        }
    }

    void everyOptionReachesTheEngine()
    {
        QFETCH(QString, key);
        QFETCH(QStringList, arguments);
        QFETCH(QString, value);
        // A new option that is not a switch needs its value in optionRows().
        QVERIFY2(!value.isEmpty(), qPrintable(key));
        const RenderRequest request = parseRenderRequest(QStringList {"lattiscribe-render"} + arguments);
        QCOMPARE(request.action, RenderRequest::Action::Render);
        CopyBook book;
        request.applyTo(&book);
        QCOMPARE(optionHeld(book, key).toString(), value);
        // The default is something else, so the row proves the option arrived.
        CopyBook untouched;
        RenderRequest().applyTo(&untouched);
        QVERIFY(optionHeld(untouched, key).toString() != value);
    }

    // The documentation keeps up with the option table: the README names every flag the renderer's help
    // lists and no other, and the window's manual page every option of More Options.
    void documentation()
    {
        QFile readme(QStringLiteral(LATTISCRIBE_SOURCE_DIR "/README.md"));
        QFile manual(QStringLiteral(LATTISCRIBE_SOURCE_DIR "/packaging/Lattiscribe.1.in"));
        if (!readme.open(QIODevice::ReadOnly) || !manual.open(QIODevice::ReadOnly))
            QSKIP("the sources are not beside this build");
        const auto flagsIn = [](const QString &text) {
            QStringList flags;
            QRegularExpressionMatchIterator match
                = QRegularExpression(QStringLiteral("--[a-z][a-z-]*")).globalMatch(text);
            while (match.hasNext())
                flags << match.next().captured();
            flags.removeDuplicates();
            flags.sort();
            return flags;
        };
        const QString guide = QString::fromUtf8(readme.readAll());
        const int from = guide.indexOf(QStringLiteral("\n## The command-line renderer"));
        const QString rendererPart = guide.mid(from, guide.indexOf(QStringLiteral("\n## "), from + 1) - from);
        QCOMPARE(flagsIn(rendererPart), flagsIn(parseRenderRequest({"lattiscribe-render", "--help"}).helpText));
        // The page's text as read: hyphens and Unicode escapes as the characters they stand for, lines joined.
        QString page = QString::fromUtf8(manual.readAll()).replace(QStringLiteral("\\-"), QStringLiteral("-"));
        QRegularExpressionMatch escape;
        while ((escape = QRegularExpression(QStringLiteral(R"(\\\[u([0-9A-F]{4,5})\])")).match(page)).hasMatch())
            page.replace(escape.captured(),
                QString::fromUcs4(std::array<uint, 1> {escape.captured(1).toUInt(nullptr, 16)}.data(), 1));
        page = page.simplified().toLower();
        for (const CopyBookOptions::OptionRow &option : CopyBookOptions::optionTable()) {
            if (option.section != CopyBookOptions::Section::MainPanel)
                QVERIFY2(page.contains(QString::fromUtf8(option.label).toLower()), option.label);
        }
    }

    // A font file for the run, or a collection, refused with its reason before the font system sees it (a
    // download cut short would otherwise be taken, its glyphs blank); the characters the font lacks, each
    // once in text order, in the layout and in one warning, and nothing of either without. Arguments are
    // split at "|"; "@font" is the test font, "@ukai" an installed collection, the other "@NAME" files
    // made here or missing.
    void fontFiles_data()
    {
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("error");
        QTest::addColumn<QString>("missing");
        const auto row
            = [](const char *name, const char *arguments, const QByteArray &input, int exitCode, const char *error,
                  const char *missing) { QTest::newRow(name) << arguments << input << exitCode << error << missing; };
        row("the default font", "--layout", "永字", 0, "", "");
        row("a Latin font", "--layout|--all-characters|--font-family|DejaVu Sans",
            "字永A 字\xf0\xa0\x80\x80\xf0\xa0\x80\x80", 0,
            "lattiscribe-render: the font \"DejaVu Sans\" has no glyph for 3 character(s), drawn in another font: "
            "字永\xf0\xa0\x80\x80\n",
            "字 永 \xf0\xa0\x80\x80");
        row("a font file for the run", "--font-file|@font|--font-family|AR PL KaitiM GB|--layout", "永並", 0,
            "drawn in another font: 並\n", "並");
        row("a collection", "--font-file|@ukai|--font-family|AR PL UKai TW|--layout", "永", 0, "", "");
        row("cut short in its tables", "--font-file|@cut|--layout", "永", 1, "--font-file @cut: it is damaged: ", "");
        row("a few bytes short, inside its last table", "--font-file|@short|--layout", "永", 1,
            "--font-file @short: it is damaged: ", "");
        row("cut short in its table directory", "--font-file|@stub|--layout", "永", 1,
            "@stub: it is damaged: its table directory is cut short", "");
        row("a collection cut short", "--font-file|@halfukai|--layout", "永", 1, "@halfukai: it is damaged: ", "");
        row("text", "--font-file|@text|--layout", "永", 1, "@text: it is not a TrueType or OpenType font", "");
        row("no such file", "--font-file|@none|--layout", "永", 1, "--font-file @none: cannot read it: ", "");
    }

    void fontFiles()
    {
        QFETCH(QString, arguments);
        QFETCH(QByteArray, input);
        QFETCH(int, exitCode);
        QFETCH(QString, error);
        QFETCH(QString, missing);
        if (arguments.contains("@font")) {
            REQUIRE_UNINSTALLED_FONT(download);
            arguments.replace("@font", download);
        }
        const QString ukai = QStringLiteral("/usr/share/fonts/truetype/arphic/ukai.ttc");
        arguments.replace("@ukai", ukai);
        const QMap<QString, QByteArray> files {{"cut", contentsOf(latinFontFile()).left(300000)},
            {"stub", contentsOf(latinFontFile()).left(40)}, {"short", contentsOf(latinFontFile()).chopped(6)},
            {"halfukai", contentsOf(ukai).left(1000000)}, {"text", "this is text, not a font"}, {"none", {}}};
        for (auto file = files.cbegin(); file != files.cend(); ++file) {
            const QString name = path(file.key() + ".ttf");
            QVERIFY(file.key() == "none" || writeFile(name, file.value()));
            arguments.replace('@' + file.key(), name);
            error.replace('@' + file.key(), name);
        }
        const Run run = render(arguments.split('|'), input);
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY2(error.isEmpty() ? run.err.isEmpty() : run.err.contains(error.toUtf8()), run.err.constData());
        QCOMPARE(run.err.count('\n'), int(!error.isEmpty()));
        const QJsonObject layout = QJsonDocument::fromJson(run.out).object();
        QCOMPARE(layout.contains("missingGlyphs"), !missing.isEmpty());
        QStringList listed;
        for (const QJsonValue &character : layout["missingGlyphs"].toArray())
            listed << character.toString();
        QCOMPARE(listed.join(' '), missing);
    }

    // A file that is no font is refused by its first bytes, however large: a device of 1.5 GB of zeros is
    // read no further than its first dozen bytes.
    void fontRefusedByItsFirstBytes()
    {
        struct Zeros : QIODevice
        {
            qint64 furthest = 0;
            bool isSequential() const override { return false; }
            qint64 size() const override { return 1500000000; }
            qint64 readData(char *data, qint64 count) override
            {
                count = qMin(count, size() - pos());
                std::fill_n(data, count, '\0');
                furthest = qMax(furthest, pos() + count);
                return count;
            }
            qint64 writeData(const char *, qint64) override { return -1; }
        } zeros;
        zeros.open(QIODevice::ReadOnly | QIODevice::Unbuffered);
        QString detail;
        QCOMPARE(FontFiles::checkFont(&zeros, &detail), FontFiles::Problem::NotAFont);
        QCOMPARE(zeros.furthest, 12);
    }

    // What the common-Chinese filter leaves out is said once: of a list asked for by name, each character,
    // and why; of a text, how many and the first few different ones (the readings' brackets taken out).
    void leftOutIsSaid_data()
    {
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QString>("said");
        const QString filter = "lattiscribe-render: %1the common Chinese filter (U+4E00 to U+9FFF) leaves out %2; "
                               "--all-characters lays them out: %3\n";
        QTest::newRow("a list") << "--chars tgh3:100-104" << QByteArray()
                                << filter.arg("--chars: ", "1 of the list's characters", "㑇 (U+3447)");
        QTest::newRow("a text") << "" << QByteArray("永，ab，\xf0\xa0\x80\x80 cdefghi。")
                                << filter.arg(QString(), "13 character(s) of the text", "， a b 𠀀 c d e f …");
        QTest::newRow("readings taken out") << "--pinyin" << QByteArray("行[hang2]") << QString();
        QTest::newRow("the filter off") << "--all-characters" << QByteArray("永，a") << QString();
    }

    void leftOutIsSaid()
    {
        QFETCH(QString, arguments);
        QFETCH(QByteArray, input);
        QFETCH(QString, said);
        const Run run = render(("--layout " + arguments).split(' ', Qt::SkipEmptyParts), input);
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(QString::fromUtf8(run.err), said);
    }

    // A long job says first how many pages it makes, then how far it has got, in lines a log can read: here
    // a line a page, as for a job that takes seconds a page.
    void longJobsSayHowFarTheyAre()
    {
        const QString pdf = path(QStringLiteral("long.pdf"));
        QByteArray input = ideographs(1500).toUtf8();
        QByteArray output;
        QByteArray errors;
        QBuffer in(&input), out(&output), err(&errors);
        for (QBuffer *buffer : {&in, &out, &err})
            buffer->open(QIODevice::ReadWrite);
        const QStringList arguments {"lattiscribe-render", "-o", pdf, "--vector", "--trace-type", "none"};
        QCOMPARE(runRenderer(arguments, {&in, &out, &err, false, 0}), 0);
        // After what the font lacks (the first ideographs hold a few the Kai has not), if anything.
        const QStringList lines = QString::fromUtf8(errors).section("lattiscribe-render: 100 pages", 1).split('\n');
        QCOMPARE(lines.size(), 102);
        QCOMPARE(lines.first(), " to write into " + pdf);
        QCOMPARE(lines.at(1), QStringLiteral("lattiscribe-render: page 1 of 100"));
        QCOMPARE(lines.at(100), QStringLiteral("lattiscribe-render: page 100 of 100"));
    }

    // One page of a picture output, or every page under numbered names.
    void pictures()
    {
        const QString png = path(QStringLiteral("page.png"));
        const QByteArray text = "一二三四五六七八九十百千万亿兆京";
        const Run run
            = render(QStringLiteral("-o %1 --page 1 --trace-type none").arg(png).split(QLatin1Char(' ')), text);
        QCOMPARE(run.exitCode, 0);
        const QImage image(png);
        QCOMPARE(image.size(), QSize(2480, 3508));
        QCOMPARE(qRound(image.dotsPerMeterX() * 0.0254), 300);
        // A build without SVG (Windows) refuses it as a usage error.
        const Run svg = render({"-o", path("book.svg"), "--all-pages"}, text);
        QCOMPARE(svg.exitCode, PagePictures::writesSvg() ? 0 : 2);
        QCOMPARE(QFile::exists(path("book-1.svg")) && QFile::exists(path("book-2.svg")), PagePictures::writesSvg());
        QVERIFY(!QFile::exists(path("book.svg")));
    }

    // A worksheet kept from a text and the flags brings them back, the flags given with it winning over its
    // own; a damaged one is refused.
    void worksheets()
    {
        const QString sheet = path(QStringLiteral("sheet.lattiscribe"));
        QCOMPARE(render({"--save-worksheet", sheet, "--pinyin", "--cell-size", "2"}, "行[háng]走").exitCode, 0);
        const Run run = render({"--layout", "--cell-size", "3", sheet});
        QCOMPARE(run.exitCode, 0);
        const QJsonObject layout = QJsonDocument::fromJson(run.out).object();
        QCOMPARE(layoutValue(layout, "cellSizePx"), QString("354.331"));
        QCOMPARE(layoutValue(layout, "readings").section(QLatin1Char(' '), 2, 3), QString("háng zǒu"));
        QVERIFY(writeFile(path("damaged.lattiscribe"), contentsOf(sheet).chopped(2)));
        const Run damaged = render({"-o", path("never.pdf"), path("damaged.lattiscribe")});
        QCOMPARE(damaged.exitCode, 1);
        QVERIFY2(damaged.err.contains("damaged.lattiscribe: not a complete worksheet"), damaged.err);
    }

    // The real process: the text from standard input, through a pipe or from a file, the exit statuses.
    void pdfFromStandardInput_data()
    {
        QTest::addColumn<QString>("inputFile");
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("pages");
        QTest::newRow("pipe") << QString() << QByteArray("一二三四五六七八九十百千万亿兆京") << 2;
        QTest::newRow("file") << QStringLiteral("text.txt") << QByteArray("一二三四五六七八九十百千万亿兆京") << 2;
        QTest::newRow("empty pipe") << QString() << QByteArray() << 1;
    }

    void pdfFromStandardInput()
    {
        QFETCH(QString, inputFile);
        QFETCH(QByteArray, text);
        QFETCH(int, pages);
        const QString pdf = path(QStringLiteral("book.pdf"));
        QFile::remove(pdf);
        if (QTest::currentDataTag() == QLatin1String("pipe")) {
            QCOMPARE(renderProcess({QStringLiteral("--cell-size")}).exitCode, 2);
            QCOMPARE(renderProcess({QStringLiteral("-o"), pdf}, "\xff").exitCode, 1);
        }
        if (!inputFile.isEmpty())
            QVERIFY(writeFile(path(inputFile), text));
        const Run run = renderProcess(
            {QStringLiteral("-o"), pdf, QStringLiteral("-"), QStringLiteral("--text-color"), QStringLiteral("navy")},
            text, inputFile.isEmpty() ? QString() : path(inputFile));
        QVERIFY2(run.exitCode == 0, run.err.constData());
        // Standard error is not a terminal here: no progress output.
        QVERIFY(!run.err.contains("page 1 of"));
        QVERIFY(contentsOf(pdf).startsWith("%PDF-"));
        if (!PdfTools::available())
            return;
        const QMap<QString, QString> info = PdfTools::info(pdf);
        QCOMPARE(info.value(QStringLiteral("Pages")), QString::number(pages));
        QCOMPARE(info.value(QStringLiteral("Creator")), QStringLiteral("LattiScribe"));
        QCOMPARE(PdfTools::images(pdf).size(), pages);
    }

#ifndef Q_OS_WIN
    // A read that fails is told apart from the end of the text: a folder as standard input.
    void standardInputThatCannotBeRead()
    {
        const Run run = renderProcess({QStringLiteral("-o"), path(QStringLiteral("never.pdf"))}, {}, QDir::rootPath());
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains("cannot read standard input: Is a directory"), run.err.constData());
        QVERIFY(!QFile::exists(path(QStringLiteral("never.pdf"))));
    }
#endif
};

QTEST_MAIN(TestRenderer)
#include "tst_renderer.moc"
