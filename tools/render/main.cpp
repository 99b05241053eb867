#include "appinfo.h"
#include "copybookwidget.h"
#include "kaifont.h"
#include "layoutjson.h"
#include "renderrequest.h"
#include "startup.h"
#include "textinput.h"

#include <QApplication>
#include <QFile>
#include <QSaveFile>
#include <cstdio>
#include <unistd.h>

namespace {

enum ExitStatus { Success = 0, InputOutputError = 1, UsageError = 2 };

// Shorter exports end before a progress line would tell anything.
constexpr int kPagesWorthReporting = 4;

int fail(ExitStatus status, const QString &message)
{
    std::fprintf(stderr, "lattiscribe-render: %s\n", qUtf8Printable(message));
    return status;
}

bool readInput(const QString &path, QByteArray &bytes, QString &error)
{
    const bool fromStdin = path.isEmpty() || path == QLatin1String("-");
    QFile file(fromStdin ? QString() : path);
    const bool opened = fromStdin ? file.open(stdin, QIODevice::ReadOnly) : file.open(QIODevice::ReadOnly);
    if (opened)
        bytes = file.readAll();
    if (!opened || file.error() != QFileDevice::NoError) {
        error = QStringLiteral("cannot read %1: %2")
                    .arg(fromStdin ? QStringLiteral("standard input") : path, file.errorString());
        return false;
    }
    return true;
}

bool writePng(const QImage &page, int resolution, const QString &path)
{
    QImage image = page;
    const int dotsPerMetre = qRound(resolution / 0.0254);
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && image.save(&file, "PNG") && file.commit();
}

// On a terminal only: a script that captures standard error gets no carriage-return noise.
PdfExportProgress terminalProgress()
{
    if (!isatty(STDERR_FILENO))
        return {};
    return [](int done, int count) {
        if (count >= kPagesWorthReporting) {
            std::fprintf(stderr, "\rpage %d of %d", done, count);
            if (done == count)
                std::fputc('\n', stderr);
        }
        return true;
    };
}

} // namespace

int main(int argc, char *argv[])
{
    preferOffscreenPlatform();
    QApplication app(argc, argv);
    AppInfo::applyIdentity();

    const RenderRequest request = parseRenderRequest(QCoreApplication::arguments());
    switch (request.action) {
    case RenderRequest::Action::Fail:
        return fail(UsageError, request.error);
    case RenderRequest::Action::ShowHelp:
        std::fputs(qUtf8Printable(request.helpText), stdout);
        return Success;
    case RenderRequest::Action::ShowVersion:
        std::printf("lattiscribe-render %s\n", qUtf8Printable(AppInfo::version()));
        return Success;
    case RenderRequest::Action::Render:
        break;
    }

    QByteArray bytes;
    QString error;
    if (!readInput(request.inputPath, bytes, error))
        return fail(InputOutputError, error);
    const DecodedText decoded = decodeText(bytes);
    if (decoded.invalidByteOffset >= 0)
        return fail(InputOutputError,
            QStringLiteral("input is not valid UTF-8 at byte offset %1").arg(decoded.invalidByteOffset));

    installKaiFontSubstitution();
    CopyBookWidget book;
    request.applyTo(&book);
    book.setContent(decoded.text);

    if (request.layoutOnly) {
        const QByteArray json = layoutJson(book) + '\n';
        std::fwrite(json.constData(), 1, static_cast<size_t>(json.size()), stdout);
        return Success;
    }
    if (request.writesPdf()) {
        if (!book.saveToPdf(request.outputPath, terminalProgress()))
            return fail(InputOutputError, QStringLiteral("cannot write %1").arg(request.outputPath));
        return Success;
    }
    if (request.page >= book.pageCount())
        return fail(InputOutputError,
            QStringLiteral("--page %1: the copybook has %2 page(s), counted from 0")
                .arg(request.page)
                .arg(book.pageCount()));
    if (!writePng(book.renderPage(request.page), book.pageResolution(), request.outputPath))
        return fail(InputOutputError, QStringLiteral("cannot write %1").arg(request.outputPath));
    return Success;
}
