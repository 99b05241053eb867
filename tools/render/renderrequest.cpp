#include "renderrequest.h"

#include "characterlists.h"
#include "copybook.h"
#include "overloaded.h"
#include "pagepictures.h"
#include "worksheet.h"

#include <QCommandLineParser>
#include <cmath>
#include <limits>
#include <type_traits>

using namespace CopyBookOptions;

namespace {

// The help of an option, completed from the table: a number's range, a choice's list, a default.
QString helpOf(const OptionRow &row)
{
    static const OptionValues defaults;
    const QString help = QString::fromUtf8(row.help ? row.help : "");
    const auto ranged = [&](double min, double max, double value) {
        return QStringLiteral("%1, %2 to %3 (default %4).").arg(help).arg(min).arg(max).arg(value);
    };
    return std::visit(Overloaded {
                          [&](const Switch &) { return help; },
                          [&](const Number &kind) { return ranged(kind.min, kind.max, defaults.*kind.field); },
                          [&](const Count &kind) {
                              return kind.optional ? QStringLiteral("%1, %2 to %3 (default: as the trace type gives).")
                                                         .arg(help)
                                                         .arg(kind.min)
                                                         .arg(kind.max)
                                                   : ranged(kind.min, kind.max, defaults.*kind.field);
                          },
                          [&](const Text &kind) {
                              const QString value = defaults.*kind.field;
                              return value.isEmpty() ? help : QStringLiteral("%1 (default %2).").arg(help, value);
                          },
                          [&](const Colour &kind) {
                              return QStringLiteral("%1 (default %2).").arg(help, (defaults.*kind.field).name());
                          },
                          [&](const ChoiceList &kind) {
                              const int defaultChoice = kind.get(defaults);
                              QStringList names;
                              for (int value = 0; value < kind.choices.size(); ++value) {
                                  const Choice &choice = kind.choices[value];
                                  QString name = QLatin1String(choice.name);
                                  if (value == defaultChoice)
                                      name += choice.help
                                          ? QStringLiteral(" (default: %1)").arg(QLatin1String(choice.help))
                                          : QStringLiteral(" (default)");
                                  else if (choice.help)
                                      name += QStringLiteral(" (%1)").arg(QLatin1String(choice.help));
                                  names << name;
                              }
                              const QString last = names.takeLast();
                              return QStringLiteral("%1 or %2%3.").arg(names.join(QStringLiteral(", ")), last, help);
                          },
                      },
        row.kind);
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

    template<typename T> void number(const QCommandLineOption &option, double min, double max, T &value)
    {
        if (!error.isEmpty() || !parser.isSet(option))
            return;
        const QString text = parser.value(option);
        bool ok = false;
        const double parsed = text.toDouble(&ok);
        if (!ok || !std::isfinite(parsed)) {
            fail(option, QStringLiteral("'%1' is not a number").arg(text));
        } else if (parsed < min || parsed > max) {
            fail(option, QStringLiteral("%1 is outside %2 to %3").arg(text).arg(min).arg(max));
        } else if (std::is_integral<T>::value && parsed != std::floor(parsed)) {
            fail(option, QStringLiteral("'%1' is not a whole number").arg(text));
        } else {
            value = static_cast<T>(parsed);
        }
    }

    void choice(const QCommandLineOption &option, const QVector<Choice> &choices, int &value)
    {
        if (!error.isEmpty() || !parser.isSet(option))
            return;
        QStringList names;
        for (const Choice &choice : choices)
            names << QLatin1String(choice.name);
        const int index = names.indexOf(parser.value(option).toLower());
        if (index < 0)
            fail(option,
                QStringLiteral("'%1' is not one of %2").arg(parser.value(option), names.join(QStringLiteral(", "))));
        else
            value = index;
    }

    void color(const QCommandLineOption &option, QColor &value)
    {
        if (!error.isEmpty() || !parser.isSet(option))
            return;
        const QString name = parser.value(option);
        if (!QColor::isValidColor(name))
            fail(option, QStringLiteral("'%1' is not a colour").arg(name));
        // The window's colours are opaque, and a see-through grid or text would leave a page blank.
        else if (QColor(name).alpha() != 255)
            fail(option, QStringLiteral("'%1' is not opaque; colours are drawn opaque, as in the window").arg(name));
        else
            value = QColor(name);
    }

    // An option of the table, read as its kind; a switch turns it away from its default.
    void tableOption(const QCommandLineOption &option, const OptionRow &row, OptionValues &values)
    {
        static const OptionValues defaults;
        std::visit(Overloaded {
                       [&](const Switch &kind) {
                           if (parser.isSet(option))
                               values.*kind.field = !(defaults.*kind.field);
                       },
                       // Held in single precision, as the window's settings hold it, so that a sheet made
                       // here is the one the window makes from the same values.
                       [&](const Number &kind) {
                           float number = static_cast<float>(values.*kind.field);
                           this->number(option, kind.min, kind.max, number);
                           values.*kind.field = number;
                       },
                       [&](const Count &kind) { number(option, kind.min, kind.max, values.*kind.field); },
                       [&](const Text &kind) {
                           if (parser.isSet(option))
                               values.*kind.field = parser.value(option);
                       },
                       [&](const Colour &kind) { color(option, values.*kind.field); },
                       [&](const ChoiceList &kind) {
                           int value = kind.get(values);
                           choice(option, kind.choices, value);
                           kind.set(&values, value);
                       },
                   },
            row.kind);
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

    // Readings and strokes belong to squares; English on four lines has none.
    const OptionValues &chosen = request.options;
    if (error.isEmpty() && chosen.fourLines && (chosen.showsReadings() || chosen.strokeOrder))
        error = QStringLiteral("--four-lines writes English on staves: it takes no --pinyin, --pinyin-only, "
                               "--zhuyin or --stroke-order");
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
