// On Linux the renderer hands CUPS the vector PDF itself, which says why a job is refused; Qt's print
// engine would drop that reason and report success.

#include "copybookpages.h"
#include "papers.h"
#include "pdfexport.h"
#include "printjob.h"

#include <QDir>
#include <QTemporaryFile>
#include <cups/cups.h>

namespace {

struct Destinations
{
    cups_dest_t *list = nullptr;
    int count = 0;
    Destinations() { count = cupsGetDests2(CUPS_HTTP_DEFAULT, &list); }
    ~Destinations() { cupsFreeDests(count, list); }
    Destinations(const Destinations &) = delete;
    Destinations &operator=(const Destinations &) = delete;
};

bool offersPaper(cups_dest_t *destination, const char *media)
{
    cups_dinfo_t *info = cupsCopyDestInfo(CUPS_HTTP_DEFAULT, destination);
    if (!info)
        return true;
    cups_size_t size {};
    const bool offered
        = cupsGetDestMediaByName(CUPS_HTTP_DEFAULT, destination, info, media, CUPS_MEDIA_FLAGS_DEFAULT, &size);
    cupsFreeDestInfo(info);
    return offered;
}

} // namespace

bool printCopyBook(
    const CopyBookPages &pages, const QString &printer, const PageProgress &progress, QString *warning, QString *error)
{
    const Destinations destinations;
    const QByteArray name = printer.toUtf8();
    cups_dest_t *destination
        = cupsGetDest(printer.isEmpty() ? nullptr : name.constData(), nullptr, destinations.count, destinations.list);
    if (!destination) {
        *error = printer.isEmpty()
            ? QStringLiteral("no default printer is set (%1)").arg(QString::fromUtf8(cupsLastErrorString()))
            : QStringLiteral("no printer is named %1").arg(printer);
        return false;
    }
    const char *media = CopyBookOptions::paperSize(pages.options.paper).media;
    if (!offersPaper(destination, media))
        *warning = QStringLiteral("the printer %1 offers no %2 paper; the pages may come out cut")
                       .arg(QString::fromUtf8(destination->name), QString::fromLatin1(media));

    QTemporaryFile file(QDir::tempPath() + QStringLiteral("/lattiscribe-print-XXXXXX.pdf"));
    if (!file.open()) {
        *error = QStringLiteral("cannot make the job's file: %1").arg(file.errorString());
        return false;
    }
    file.close();
    CopyBookOptions::PdfExportOptions vector;
    vector.vector = true;
    if (!saveCopyBookPdf(pages, file.fileName(), vector, progress, error))
        return false;

    cups_option_t *options = nullptr;
    int optionCount = cupsAddOption("media", media, 0, &options);
    // True size: a page that fits is never scaled to the paper's printable area.
    optionCount = cupsAddOption("print-scaling", "none", optionCount, &options);
    const QByteArray path = QFile::encodeName(file.fileName());
    const int job
        = cupsPrintFile2(CUPS_HTTP_DEFAULT, destination->name, path.constData(), "LattiScribe", optionCount, options);
    cupsFreeOptions(optionCount, options);
    if (job == 0) {
        *error = QStringLiteral("the printer %1 took no job: %2")
                     .arg(QString::fromUtf8(destination->name), QString::fromUtf8(cupsLastErrorString()));
        return false;
    }
    return true;
}
