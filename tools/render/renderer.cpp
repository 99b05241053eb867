#include "renderer.h"

#include "appinfo.h"
#include "charinfo.h"
#include "copybook.h"
#include "fontfiles.h"
#include "layoutjson.h"
#include "layoutunits.h"
#include "pagepictures.h"
#include "pdfexport.h"
#include "printjob.h"
#include "renderrequest.h"
#include "textinput.h"
#include "worksheet.h"

#include <QElapsedTimer>
#include <QFile>
#include <limits>
#include <memory>

namespace {

// Shorter exports end before a progress line would tell anything.
constexpr int kPagesWorthReporting = 4;
// A job of this many pages takes a while (some seconds a hundred pages): it says first what it is in for,
// and a log hears how far it has got.
constexpr int kPagesWorthAnnouncing = 100;
// The different characters named when the filter leaves some of a text out.
constexpr int kLeftOutNamed = 8;

class Run
{
public:
    explicit Run(const RendererStreams &streams) : streams(streams) { }

    int fail(RendererExitStatus status, const QString &message)
    {
        streams.errors->write(QStringLiteral("lattiscribe-render: %1\n").arg(message).toUtf8());
        return status;
    }

    void print(QIODevice *device, const QString &text) { device->write(text.toUtf8()); }

    bool readInput(const QString &path, QByteArray &bytes, QString &error)
    {
        const bool fromStandardInput = path.isEmpty() || path == QLatin1String("-");
        QFile file(path);
        QIODevice *source = fromStandardInput ? streams.input : &file;
        const bool opened = fromStandardInput ? source->isOpen() : file.open(QIODevice::ReadOnly);
        if (opened)
            bytes = source->readAll();
        // Only a file says whether a read failed; in the program, standard input is one too.
        const auto *fileDevice = qobject_cast<const QFileDevice *>(source);
        if (!opened || (fileDevice && fileDevice->error() != QFileDevice::NoError)) {
            error = QStringLiteral("cannot read %1: %2")
                        .arg(fromStandardInput ? QStringLiteral("standard input") : path, source->errorString());
            return false;
        }
        return true;
    }

    // Says first how many pages a long job makes and what it does with them, then how far it has got: on
    // a terminal in one line rewritten page by page, elsewhere in a line every few seconds and at the end.
    PageProgress progress(int pageCount, const QString &job) const
    {
        QIODevice *errors = streams.errors;
        if (pageCount >= kPagesWorthAnnouncing)
            errors->write(QStringLiteral("lattiscribe-render: %1 pages to %2\n").arg(pageCount).arg(job).toUtf8());
        if (streams.errorsAreTerminal) {
            return [errors](int done, int count) {
                if (count >= kPagesWorthReporting)
                    errors->write(QStringLiteral("\rpage %1 of %2%3")
                                      .arg(done)
                                      .arg(count)
                                      .arg(done == count ? QLatin1String("\n") : QLatin1String())
                                      .toUtf8());
                return true;
            };
        }
        if (pageCount < kPagesWorthAnnouncing)
            return {};
        auto sinceLine = std::make_shared<QElapsedTimer>();
        sinceLine->start();
        return [errors, sinceLine, interval = streams.progressIntervalMs](int done, int count) {
            if (done == count || sinceLine->elapsed() >= interval) {
                errors->write(QStringLiteral("lattiscribe-render: page %1 of %2\n").arg(done).arg(count).toUtf8());
                sinceLine->restart();
            }
            return true;
        };
    }

private:
    RendererStreams streams;
};

// The font files of one run, registered for as long as it lasts.
class RunFonts
{
public:
    ~RunFonts()
    {
        for (const FontFiles::FontFile &font : fonts)
            FontFiles::unregisterFontFile(font);
    }

    // False, with the file and the reason in *error, for the first file that cannot be used.
    bool registerAll(const QStringList &paths, QString *error)
    {
        for (const QString &path : paths) {
            const FontFiles::FontFile font = FontFiles::registerFontFile(path);
            if (font.problem != FontFiles::Problem::None) {
                *error = QStringLiteral("--font-file %1: %2").arg(path, FontFiles::problemText(font));
                return false;
            }
            fonts.append(font);
        }
        return true;
    }

private:
    QVector<FontFiles::FontFile> fonts;
};

// Says once which characters the chosen font lacks; they are drawn in another.
QString missingGlyphsWarning(const CopyBook &book)
{
    const QVector<uint> &missing = book.missingGlyphs();
    if (missing.isEmpty())
        return {};
    return QStringLiteral("the font \"%1\" has no glyph for %2 character(s), drawn in another font: %3")
        .arg(book.options().fontName)
        .arg(missing.size())
        .arg(QString::fromUcs4(missing.constData(), missing.size()));
}

// Says once what the common-Chinese filter leaves out, as the window points it out: of a list asked for by
// name, each character; of any other text, how many and the first few. Nothing when the filter is off or
// the text is written on four lines, which it does not touch.
QString leftOutWarning(const CopyBook &book, bool listed)
{
    const CopyBookOptions::OptionValues &options = book.options();
    if (!options.commonChineseOnly || options.fourLines)
        return {};
    const QString &text = book.contentModel().laidOutText();
    const LayoutRules::LeftOut leftOut
        = LayoutRules::leftOutByFilter(text, listed ? std::numeric_limits<int>::max() : kLeftOutNamed + 1);
    if (leftOut.count == 0)
        return {};
    QStringList named;
    for (const uint code : leftOut.first) {
        const QString character = QString::fromUcs4(&code, 1);
        named << (listed ? QStringLiteral("%1 (U+%2)").arg(character, QString::number(code, 16).toUpper()) : character);
    }
    if (named.size() > kLeftOutNamed && !listed)
        named = named.mid(0, kLeftOutNamed) << QStringLiteral("…");
    return QStringLiteral("%1the common Chinese filter (U+4E00 to U+9FFF) leaves out %2 %3; --all-characters lays "
                          "them out: %4")
        .arg(listed ? QStringLiteral("--chars: ") : QString())
        .arg(leftOut.count)
        .arg(listed ? QStringLiteral("of the list's characters") : QStringLiteral("character(s) of the text"))
        .arg(named.join(listed ? QStringLiteral(", ") : QStringLiteral(" ")));
}

} // namespace

int runRenderer(const QStringList &arguments, const RendererStreams &streams)
{
    Run run(streams);
    const RenderRequest request = parseRenderRequest(arguments);
    switch (request.action) {
    case RenderRequest::Action::Fail:
        return run.fail(RendererUsageError, request.error);
    case RenderRequest::Action::ShowHelp:
        run.print(streams.output, request.helpText);
        return RendererSuccess;
    case RenderRequest::Action::ShowVersion:
        run.print(streams.output, QStringLiteral("lattiscribe-render %1\n").arg(AppInfo::version()));
        return RendererSuccess;
    case RenderRequest::Action::Render:
        break;
    }

    QString error;
    RunFonts fonts;
    if (!fonts.registerAll(request.fontFiles, &error))
        return run.fail(RendererInputOutputError, error);
    // A worksheet brings its text and options, and the options given here win over its own; a list of
    // the national characters is the text without any input read.
    Worksheet sheet;
    sheet.options = request.options;
    sheet.text = request.listedCharacters;
    if (sheet.text.isEmpty()) {
        QByteArray bytes;
        if (!run.readInput(request.inputPath, bytes, error))
            return run.fail(RendererInputOutputError, error);
        if (Worksheet::isWorksheetFile(request.inputPath)) {
            const WorksheetReading reading = WorksheetReading::fromJson(bytes);
            if (reading.problem != WorksheetReading::Problem::None)
                return run.fail(RendererInputOutputError,
                    QStringLiteral("cannot read %1: %2").arg(request.inputPath, reading.reason));
            sheet = reading.sheet;
            sheet.options = request.givenOver(sheet.options);
        } else {
            const DecodedText decoded = decodeText(bytes);
            if (decoded.problem != DecodedText::Problem::None)
                return run.fail(RendererInputOutputError, decodingProblem(decoded));
            sheet.text = decoded.text;
        }
    }

    if (request.charInfo) {
        if (!writeCharacterInfo(sheet.text, streams.output))
            return run.fail(RendererInputOutputError,
                QStringLiteral("cannot write the facts: %1").arg(streams.output->errorString()));
        return RendererSuccess;
    }

    CopyBook book;
    book.setOptions(sheet.options);
    book.setText(sheet.text);
    const QString problem = book.layoutProblem();
    if (request.makesPages() && !problem.isEmpty())
        return run.fail(RendererInputOutputError, QStringLiteral("cannot lay out the text: %1").arg(problem));
    if (!request.worksheetPath.isEmpty() && !sheet.save(request.worksheetPath, &error))
        return run.fail(
            RendererInputOutputError, QStringLiteral("cannot write %1: %2").arg(request.worksheetPath, error));
    if (!request.makesPages())
        return RendererSuccess;
    for (const QString &warning :
        {leftOutWarning(book, !request.listedCharacters.isEmpty()), missingGlyphsWarning(book)}) {
        if (!warning.isEmpty())
            run.print(streams.errors, QStringLiteral("lattiscribe-render: %1\n").arg(warning));
    }

    if (request.layoutOnly) {
        if (!writeLayoutJson(book, streams.output) || streams.output->write("\n") != 1)
            return run.fail(RendererInputOutputError,
                QStringLiteral("cannot write the layout: %1").arg(streams.output->errorString()));
        return RendererSuccess;
    }
    if (request.prints) {
        QString warning;
        const QString printer = request.printer.isEmpty() ? QStringLiteral("the default printer") : request.printer;
        const bool printed = printCopyBook(book.pages(), request.printer,
            run.progress(book.pageCount(), QStringLiteral("print on %1").arg(printer)), &warning, &error);
        if (!warning.isEmpty())
            run.print(streams.errors, QStringLiteral("lattiscribe-render: %1\n").arg(warning));
        if (!printed)
            return run.fail(RendererInputOutputError, QStringLiteral("cannot print: %1").arg(error));
        return RendererSuccess;
    }
    if (request.writesPdf()) {
        const CopyBookOptions::PdfExportOptions pdf {sheet.options.vectorPdf, request.jobs};
        if (!saveCopyBookPdf(book.pages(), request.outputPath, pdf,
                run.progress(book.pageCount(), QStringLiteral("write into %1").arg(request.outputPath)), &error))
            return run.fail(
                RendererInputOutputError, QStringLiteral("cannot write %1: %2").arg(request.outputPath, error));
        return RendererSuccess;
    }
    if (request.allPages) {
        const QStringList names = PagePictures::fileNames(request.outputPath, book.pageCount());
        const QString job = QStringLiteral("write as %1 to %2").arg(names.constFirst(), names.constLast());
        if (!PagePictures::saveAll(book.pages(), request.outputPath, run.progress(book.pageCount(), job), &error))
            return run.fail(RendererInputOutputError, QStringLiteral("cannot write %1").arg(error));
        return RendererSuccess;
    }
    if (request.page >= book.pageCount())
        return run.fail(RendererInputOutputError,
            QStringLiteral("--page %1: the copybook has %2 page(s), counted from 0")
                .arg(request.page)
                .arg(book.pageCount()));
    if (!PagePictures::savePage(book.pages(), request.page, request.outputPath, &error))
        return run.fail(RendererInputOutputError, QStringLiteral("cannot write %1: %2").arg(request.outputPath, error));
    return RendererSuccess;
}
