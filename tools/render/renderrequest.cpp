#include "renderrequest.h"

#include "characterlists.h"
#include "copybook.h"
#include "pagepictures.h"
#include "worksheet.h"

#include <QCommandLineParser>
#include <limits>

using namespace CopyBookOptions;

namespace {

// The help of an option, completed from the table: a number's range, a choice's list, a default.
QString helpOf(const OptionRow &row)
{
    return row.kind->flagHelp(QString::fromUtf8(row.help ? row.help : ""));
}

// The options of the renderer's own, beside those of the table.
struct Options
{
    QCommandLineOption output {{QStringLiteral("o"), QStringLiteral("output")},
        QStringLiteral("Write the copybook to PATH: a .pdf gets every page, a .png (the page image) or an .svg (the "
                       "drawing) one page."),
        QStringLiteral("PATH")};
    QCommandLineOption page {QStringLiteral("page"),
        QStringLiteral("Page for PNG or SVG output, counted from 0 (default 0)."), QStringLiteral("N"),
        QStringLiteral("0")};
    QCommandLineOption allPages {QStringLiteral("all-pages"),
        QStringLiteral("Every page for PNG or SVG output, each to PATH numbered: name-1.png, name-2.png, ...")};
    QCommandLineOption saveWorksheet {QStringLiteral("save-worksheet"),
        QStringLiteral("Keep the text and the options as a worksheet at PATH (.lattiscribe), to be opened in the "
                       "window or given to the renderer as FILE."),
        QStringLiteral("PATH")};
    QCommandLineOption layout {QStringLiteral("layout"),
        QStringLiteral("Write no pages; print the layout as one JSON object on standard output.")};
    QCommandLineOption charInfo {QStringLiteral("char-info"),
        QStringLiteral("Write no pages; print each Han character of the text once, in order, as one JSON object a "
                       "line: its pinyin, radical, structure, strokeCount, strokeNames and words.")};
    QCommandLineOption print {QStringLiteral("print"),
        QStringLiteral("Send every page to PRINTER (a print queue's name) at true size; to the default printer "
                       "when no name follows."),
        QStringLiteral("PRINTER")};
    QCommandLineOption chars {QStringLiteral("chars"),
        QStringLiteral("Take the text from the national list of standard characters instead of a FILE: tgh1, tgh2 or "
                       "tgh3 for a level, tgh1:1-200 for positions 1 to 200 of it, each character read alone."),
        QStringLiteral("LIST")};
    QCommandLineOption jobs {QStringLiteral("jobs"),
        QStringLiteral("Threads making page images for a PDF, 1 to %1 (default: one per core).").arg(kMaxJobs),
        QStringLiteral("N")};
    QCommandLineOption fontFile {QStringLiteral("font-file"),
        QStringLiteral("Use the TrueType or OpenType font in PATH for this run, so that --font-family can name its "
                       "family; may be given more than once."),
        QStringLiteral("PATH")};
};

QCommandLineOption tableOption(const OptionRow &row)
{
    const QString name = QLatin1String(row.flagName);
    if (!row.valueName)
        return QCommandLineOption(name, helpOf(row));
    return QCommandLineOption(name, helpOf(row), QLatin1String(row.valueName));
}

class Reader
{
public:
    Reader(const QCommandLineParser &parser, QString &error) : parser(parser), error(error) { }

    void number(const QCommandLineOption &option, int min, int max, int &value)
    {
        if (!error.isEmpty() || !parser.isSet(option))
            return;
        double number = 0.0;
        const QString problem = parseNumber(parser.value(option), min, max, true, &number);
        if (!problem.isEmpty())
            fail(option, problem);
        else
            value = static_cast<int>(number);
    }

    // An option of the table, read as its kind says.
    void tableOption(const QCommandLineOption &option, const OptionRow &row, OptionValues &values)
    {
        if (!error.isEmpty() || !parser.isSet(option))
            return;
        const QString problem = row.kind->setFromFlag(&values, parser.value(option));
        if (!problem.isEmpty())
            fail(option, problem);
    }

    void fail(const QCommandLineOption &option, const QString &why)
    {
        error = QStringLiteral("--%1: %2").arg(option.names().constLast(), why);
    }

private:
    const QCommandLineParser &parser;
    QString &error;
};

// --print takes the printer's name from the next argument when one follows that is not an option, and
// none otherwise; the parser only knows options that always take a value, so it gets "--print=NAME".
QStringList withPrinterValue(QStringList arguments)
{
    for (int i = 1; i < arguments.size(); ++i) {
        if (arguments.at(i) == QLatin1String("--"))
            break;
        if (arguments.at(i) != QLatin1String("--print"))
            continue;
        const bool named = i + 1 < arguments.size() && !arguments.at(i + 1).startsWith(QLatin1Char('-'));
        arguments[i] = QStringLiteral("--print=") + (named ? arguments.takeAt(i + 1) : QString());
    }
    return arguments;
}

// What is wrong with the outputs asked for, or nothing.
QString outputProblem(const RenderRequest &request)
{
    const bool picture = PagePictures::isPicture(request.outputPath);
    if (request.prints && (request.layoutOnly || !request.outputPath.isEmpty()))
        return QStringLiteral("--print goes alone, without --output or --layout");
    if (request.charInfo && (request.makesPages() || !request.worksheetPath.isEmpty()))
        return QStringLiteral("--char-info goes alone, without --output, --layout, --print or --save-worksheet");
    if (!request.writesSomething())
        return QStringLiteral("--output is required (or --layout, --char-info, --print or --save-worksheet)");
    if (!request.outputPath.isEmpty() && !request.writesPdf() && !picture)
        return QStringLiteral("--output must end in .pdf, .png or .svg: %1").arg(request.outputPath);
    if (request.outputPath.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive) && !PagePictures::writesSvg())
        return QStringLiteral("this build of lattiscribe-render writes no SVG; use .pdf or .png");
    if (request.allPages && !picture)
        return QStringLiteral("--all-pages goes with a .png or .svg output");
    // A worksheet given as FILE is known by its name.
    if (!request.worksheetPath.isEmpty() && !Worksheet::isWorksheetFile(request.worksheetPath))
        return QStringLiteral("--save-worksheet must end in .%1: %2")
            .arg(Worksheet::fileSuffix(), request.worksheetPath);
    return {};
}

} // namespace

bool RenderRequest::writesPdf() const
{
    return outputPath.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive);
}

void RenderRequest::applyTo(::CopyBook *book) const
{
    book->setOptions(options);
}

OptionValues RenderRequest::givenOver(const OptionValues &base) const
{
    OptionValues merged = base;
    for (const QString &key : optionsGiven) {
        const OptionRow &row = *findOption(key);
        setFromStored(&merged, row, valueOf(options, row));
    }
    return merged;
}

RenderRequest parseRenderRequest(const QStringList &arguments)
{
    RenderRequest request;
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Turns a text into a handwriting-practice copybook."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const Options options;
    parser.addOptions({options.output, options.page, options.allPages});
    QVector<QPair<const OptionRow *, QCommandLineOption>> tableOptions;
    for (const OptionRow &row : optionTable()) {
        if (!row.flagName)
            continue;
        tableOptions.append({&row, tableOption(row)});
        parser.addOption(tableOptions.constLast().second);
    }
    parser.addOptions({options.print, options.jobs, options.fontFile, options.chars, options.layout, options.charInfo,
        options.saveWorksheet});
    parser.addPositionalArgument(QStringLiteral("FILE"),
        QStringLiteral("UTF-8 text, or a .lattiscribe worksheet whose options the ones given here replace; standard "
                       "input when absent or -."),
        QStringLiteral("[FILE]"));

    if (!parser.parse(withPrinterValue(arguments))) {
        request.action = RenderRequest::Action::Fail;
        request.error = parser.errorText();
        return request;
    }
    if (parser.isSet(help)) {
        request.action = RenderRequest::Action::ShowHelp;
        request.helpText = parser.helpText();
        return request;
    }
    if (parser.isSet(version)) {
        request.action = RenderRequest::Action::ShowVersion;
        return request;
    }

    QString error;
    Reader read(parser, error);
    read.number(options.page, 0, std::numeric_limits<int>::max(), request.page);
    for (const auto &option : tableOptions) {
        read.tableOption(option.second, *option.first, request.options);
        if (parser.isSet(option.second))
            request.optionsGiven << QLatin1String(option.first->key);
    }
    read.number(options.jobs, 1, kMaxJobs, request.jobs);
    request.fontFiles = parser.values(options.fontFile);
    request.layoutOnly = parser.isSet(options.layout);
    request.charInfo = parser.isSet(options.charInfo);
    request.prints = parser.isSet(options.print);
    request.printer = parser.value(options.print);
    request.outputPath = parser.value(options.output);
    request.allPages = parser.isSet(options.allPages);
    request.worksheetPath = parser.value(options.saveWorksheet);

    const QStringList files = parser.positionalArguments();
    if (files.size() > 1)
        error = QStringLiteral("expected at most one input file, got %1").arg(files.size());
    else if (!files.isEmpty())
        request.inputPath = files.first();
    if (error.isEmpty() && parser.isSet(options.chars)) {
        const CharacterLists::Selection listed = CharacterLists::select(parser.value(options.chars));
        if (!files.isEmpty())
            error = QStringLiteral("--chars takes the place of a text: give no FILE (%1)").arg(files.first());
        else if (!listed.error.isEmpty())
            error = QStringLiteral("--chars: %1").arg(listed.error);
        request.listedCharacters = listed.characters;
    }

    // Readings, strokes and cards belong to squares; English on four lines has none.
    const OptionValues &chosen = request.options;
    if (error.isEmpty() && chosen.fourLines && (chosen.showsReadings() || chosen.strokeOrder || chosen.card))
        error = QStringLiteral("--four-lines writes English on staves: it takes no --pinyin, --pinyin-only, "
                               "--zhuyin, --stroke-order or --card");
    // Zhuyin takes the band's place; the two together would leave one of them silently unused.
    if (error.isEmpty() && chosen.zhuyin && chosen.pinyin)
        error = QStringLiteral("--zhuyin takes the place of the pinyin band: give one of --zhuyin and --pinyin");
    if (error.isEmpty())
        error = outputProblem(request);

    if (!error.isEmpty()) {
        request.action = RenderRequest::Action::Fail;
        request.error = error;
    }
    return request;
}
