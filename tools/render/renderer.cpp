#include "renderer.h"

#include "appinfo.h"
#include "charinfo.h"
#include "copybook.h"
#include "fontfiles.h"
#include "layoutjson.h"
#include "pagepictures.h"
#include "pdfexport.h"
#include "printjob.h"
#include "renderrequest.h"
#include "textinput.h"
#include "worksheet.h"

#include <QFile>

namespace {

// Shorter exports end before a progress line would tell anything.
constexpr int kPagesWorthReporting = 4;

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

    PageProgress progress() const
    {
        if (!streams.errorsAreTerminal)
            return {};
        QIODevice *errors = streams.errors;
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
    const QString missing = missingGlyphsWarning(book);
    if (!missing.isEmpty())
        run.print(streams.errors, QStringLiteral("lattiscribe-render: %1\n").arg(missing));

    if (request.layoutOnly) {
        if (!writeLayoutJson(book, streams.output) || streams.output->write("\n") != 1)
            return run.fail(RendererInputOutputError,
                QStringLiteral("cannot write the layout: %1").arg(streams.output->errorString()));
        return RendererSuccess;
    }
    if (request.prints) {
        QString warning;
        const bool printed = printCopyBook(book.pages(), request.printer, run.progress(), &warning, &error);
        if (!warning.isEmpty())
            run.print(streams.errors, QStringLiteral("lattiscribe-render: %1\n").arg(warning));
        if (!printed)
            return run.fail(RendererInputOutputError, QStringLiteral("cannot print: %1").arg(error));
        return RendererSuccess;
    }
    if (request.writesPdf()) {
        const CopyBookOptions::PdfExportOptions pdf {sheet.options.vectorPdf, request.jobs};
        if (!saveCopyBookPdf(book.pages(), request.outputPath, pdf, run.progress(), &error))
            return run.fail(
                RendererInputOutputError, QStringLiteral("cannot write %1: %2").arg(request.outputPath, error));
        return RendererSuccess;
    }
    if (request.allPages) {
        if (!PagePictures::saveAll(book.pages(), request.outputPath, run.progress(), &error))
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
