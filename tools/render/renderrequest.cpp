#include "renderrequest.h"

#include "copybook.h"

#include <QCommandLineParser>
#include <cmath>
#include <limits>
#include <type_traits>

using namespace CopyBookOptions;

namespace {

QString rangeHelp(const char *what, double min, double max, double defaultValue)
{
    return QStringLiteral("%1, %2 to %3 (default %4).").arg(QLatin1String(what)).arg(min).arg(max).arg(defaultValue);
}

// Ranges and defaults come from the same constants as the window's controls and the settings store.
struct Options
{
    QCommandLineOption output {{QStringLiteral("o"), QStringLiteral("output")},
        QStringLiteral("Write the copybook to PATH: a .pdf gets every page, a .png one page image."),
        QStringLiteral("PATH")};
    QCommandLineOption page {QStringLiteral("page"), QStringLiteral("Page for PNG output, counted from 0 (default 0)."),
        QStringLiteral("N"), QStringLiteral("0")};
    QCommandLineOption bookType {QStringLiteral("book-type"), QStringLiteral("trace (default) or copy."),
        QStringLiteral("TYPE"), QStringLiteral("trace")};
    QCommandLineOption traceType {QStringLiteral("trace-type"), QStringLiteral("none, half (default) or all."),
        QStringLiteral("TYPE"), QStringLiteral("half")};
    QCommandLineOption cellSize {QStringLiteral("cell-size"),
        rangeHelp("Cell side", kMinCellSize, kMaxCellSize, kDefaultCellSize), QStringLiteral("CM")};
    QCommandLineOption fontFamily {QStringLiteral("font-family"),
        QStringLiteral("Glyph font family (default %1).").arg(defaultFontName()), QStringLiteral("NAME")};
    QCommandLineOption fontSize {QStringLiteral("font-size"),
        rangeHelp("Glyph size", kMinFontSize, kMaxFontSize, kDefaultFontSize), QStringLiteral("CM")};
    QCommandLineOption opacity {QStringLiteral("opacity"),
        rangeHelp("Opacity of faded glyphs", kMinOpacity, kMaxOpacity, kDefaultOpacity), QStringLiteral("X")};
    QCommandLineOption blankLines {QStringLiteral("blank-lines"),
        rangeHelp("Empty rows after each line", kMinBlankLines, kMaxBlankLines, kDefaultBlankLines),
        QStringLiteral("N")};
    QCommandLineOption allCharacters {QStringLiteral("all-characters"),
        QStringLiteral("Lay out every character, not only CJK ideographs U+4E00 to U+9FFF.")};
    QCommandLineOption gridColor {QStringLiteral("grid-color"),
        QStringLiteral("Grid colour, such as #c00000 or navy (default %1).").arg(defaultGridColor().name()),
        QStringLiteral("COLOR")};
    QCommandLineOption textColor {QStringLiteral("text-color"),
        QStringLiteral("Glyph colour (default %1).").arg(defaultTextColor().name()), QStringLiteral("COLOR")};
    QCommandLineOption layout {QStringLiteral("layout"),
        QStringLiteral("Write no pages; print the layout as one JSON object on standard output.")};
    QCommandLineOption gridStyle {QStringLiteral("grid-style"),
        QStringLiteral("tian (default: cross), mi (cross and diagonals), square (outline only), hui (inner square) "
                       "or nine (three by three)."),
        QStringLiteral("STYLE"), QStringLiteral("tian")};
    QCommandLineOption traceStyle {QStringLiteral("trace-style"),
        QStringLiteral("solid (default) or hollow: faded glyphs as outlines to trace."), QStringLiteral("STYLE"),
        QStringLiteral("solid")};
    QCommandLineOption title {
        QStringLiteral("title"), QStringLiteral("A title centred at the top of every page."), QStringLiteral("TEXT")};
    QCommandLineOption nameFields {
        QStringLiteral("name-fields"), QStringLiteral("Fields for the pupil's name, class and date under the title.")};
    QCommandLineOption pageNumbers {QStringLiteral("page-numbers"), QStringLiteral("Page numbers at the foot.")};
    QCommandLineOption pinyin {QStringLiteral("pinyin"),
        QStringLiteral("A pinyin band above every row, with the reading of each character; a reading in brackets "
                       "after a character overrides it: 行[hang2] or 行[háng].")};
    QCommandLineOption pinyinOnly {QStringLiteral("pinyin-only"),
        QStringLiteral("Write from pinyin: the band shows the reading, the squares to write in stay empty.")};
    QCommandLineOption vector {QStringLiteral("vector"),
        QStringLiteral("Draw the PDF's pages as lines and text instead of page images: much smaller files.")};
    QCommandLineOption jobs {QStringLiteral("jobs"),
        QStringLiteral("Threads making page images for a PDF, 1 to %1 (default: one per core).").arg(kMaxJobs),
        QStringLiteral("N")};
};

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

    void choice(const QCommandLineOption &option, const QStringList &names, int &value)
    {
        if (!error.isEmpty() || !parser.isSet(option))
            return;
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
        else
            value = QColor(name);
    }

    void fail(const QCommandLineOption &option, const QString &why)
    {
        error = QStringLiteral("--%1: %2").arg(option.names().constLast(), why);
    }

private:
    const QCommandLineParser &parser;
    QString &error;
};

} // namespace

bool RenderRequest::writesPdf() const
{
    return outputPath.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive);
}

void RenderRequest::applyTo(::CopyBook *book) const
{
    applyInOrder(book, *this);
    applySheet(book, sheet);
    book->setVectorPdf(vectorPdf);
    book->setExportJobs(jobs);
}

RenderRequest parseRenderRequest(const QStringList &arguments)
{
    RenderRequest request;
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Turns a text into a handwriting-practice copybook."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const Options options;
    parser.addOptions({options.output, options.page, options.bookType, options.traceType, options.cellSize,
        options.fontFamily, options.fontSize, options.opacity, options.blankLines, options.allCharacters,
        options.gridColor, options.textColor, options.gridStyle, options.traceStyle, options.title, options.nameFields,
        options.pageNumbers, options.pinyin, options.pinyinOnly, options.vector, options.jobs, options.layout});
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("UTF-8 text; standard input when absent or -."),
        QStringLiteral("[FILE]"));

    if (!parser.parse(arguments)) {
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
    read.choice(options.bookType, {QStringLiteral("trace"), QStringLiteral("copy")}, request.bookType);
    read.choice(
        options.traceType, {QStringLiteral("none"), QStringLiteral("half"), QStringLiteral("all")}, request.traceType);
    read.number(options.cellSize, kMinCellSize, kMaxCellSize, request.cellSize);
    read.number(options.fontSize, kMinFontSize, kMaxFontSize, request.fontSize);
    read.number(options.opacity, kMinOpacity, kMaxOpacity, request.opacity);
    read.number(options.blankLines, kMinBlankLines, kMaxBlankLines, request.blankLines);
    read.color(options.gridColor, request.gridColor);
    read.color(options.textColor, request.textColor);
    read.choice(options.gridStyle,
        {QStringLiteral("tian"), QStringLiteral("mi"), QStringLiteral("square"), QStringLiteral("hui"),
            QStringLiteral("nine")},
        request.sheet.gridStyle);
    read.choice(options.traceStyle, {QStringLiteral("solid"), QStringLiteral("hollow")}, request.sheet.traceStyle);
    read.number(options.jobs, 1, kMaxJobs, request.jobs);
    request.sheet.title = parser.value(options.title);
    request.sheet.nameFields = parser.isSet(options.nameFields);
    request.sheet.pageNumbers = parser.isSet(options.pageNumbers);
    request.sheet.pinyin = parser.isSet(options.pinyin);
    request.sheet.pinyinOnly = parser.isSet(options.pinyinOnly);
    request.vectorPdf = parser.isSet(options.vector);
    if (parser.isSet(options.fontFamily))
        request.fontName = parser.value(options.fontFamily);
    request.commonChineseOnly = !parser.isSet(options.allCharacters);
    request.layoutOnly = parser.isSet(options.layout);
    request.outputPath = parser.value(options.output);

    const QStringList files = parser.positionalArguments();
    if (files.size() > 1)
        error = QStringLiteral("expected at most one input file, got %1").arg(files.size());
    else if (!files.isEmpty())
        request.inputPath = files.first();

    const bool knownOutput
        = request.writesPdf() || request.outputPath.endsWith(QLatin1String(".png"), Qt::CaseInsensitive);
    if (error.isEmpty() && !request.layoutOnly && request.outputPath.isEmpty())
        error = QStringLiteral("--output is required (or --layout)");
    else if (error.isEmpty() && !request.outputPath.isEmpty() && !knownOutput)
        error = QStringLiteral("--output must end in .pdf or .png: %1").arg(request.outputPath);

    if (!error.isEmpty()) {
        request.action = RenderRequest::Action::Fail;
        request.error = error;
    }
    return request;
}
