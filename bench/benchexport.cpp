// The PDF export against the way it was first built: QPdfWriter drawing each page image.

#include "benchcommon.h"
#include "pdfexport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QMap>
#include <QPageSize>
#include <QPdfWriter>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>
#include <sys/resource.h>

namespace {

// The export as first built: QPdfWriter draws each page image, losslessly.
bool exportTheFirstWay(const CopyBook &book, const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QPdfWriter writer(&file);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setResolution(book.pageResolution());
    writer.setCreator(QCoreApplication::applicationName());
    QPainter painter(&writer);
    painter.setRenderHint(QPainter::LosslessImageRendering);
    for (int page = 0; page < book.pageCount(); ++page) {
        if (page > 0)
            writer.newPage();
        painter.drawImage(painter.viewport(), book.pages().renderPage(page));
    }
    return painter.end();
}

struct ExportRun
{
    double secondsPerPage = 0;
    double bytesPerPage = 0;
    double peakMiB = 0;
    double seconds = 0;
};

bool exportInChild(int pages, const QString &way, ExportRun &run)
{
    QTemporaryDir directory;
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(),
        {QStringLiteral("--export"), QString::number(pages), way, directory.filePath(QStringLiteral("bench.pdf"))});
    child.waitForFinished(-1);
    const QStringList fields = QString::fromLatin1(child.readAllStandardOutput()).split(QLatin1Char(' '));
    if (child.exitCode() != 0 || fields.size() != 3) {
        std::fprintf(stderr, "export of %d pages (%s) failed\n", pages, qPrintable(way));
        return false;
    }
    run = {
        fields[0].toDouble() / pages, fields[1].toDouble() / pages, fields[2].toDouble() / 1024, fields[0].toDouble()};
    return true;
}
} // namespace

// Child: one export, printed as "seconds bytes peakKiB".
int runExport(int pages, const QString &way, const QString &fileName)
{
    CopyBook book;
    fillTraceBook(book, pages, way.endsWith(QLatin1String(":few")));
    // The same text with stroke order on takes more pages, its rows being taller.
    const bool strokes = way.contains(QLatin1String("+strokes"));
    changeOptions(book, [&](auto &o) {
        o.strokeOrder = strokes;
        o.vectorPdf = way.startsWith(QLatin1String("vector"));
    });
    QElapsedTimer timer;
    timer.start();
    const bool ok = way == QLatin1String("first") ? exportTheFirstWay(book, fileName)
                                                  : saveCopyBookPdf(book.pages(), fileName, book.pdfExportOptions());
    const double seconds = timer.nsecsElapsed() / 1e9;
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("%f %lld %ld\n", seconds, static_cast<long long>(QFileInfo(fileName).size()), usage.ru_maxrss);
    return ok && (strokes || book.pageCount() == pages) ? 0 : 1;
}

// Child: the page-image export of a 5 MB text (1,795,500 characters, four ideographs to a clause, the
// default Trace book of 95,760 pages), cancelled once `pages` are written; printed as "pageCount
// secondsToFirstPage peakKiB".
int runLongExport(int pages, const QString &fileName)
{
    QString text;
    text.reserve(1795500);
    for (int clause = 0; clause < 359100; ++clause) {
        for (int i = 0; i < 4; ++i)
            text += QChar(0x4E00 + ((clause * 4 + i) * 37) % 0x5000);
        text += QChar(clause % 6 == 5 ? 0x000A : 0xFF0C);
    }
    CopyBook book;
    book.setText(text);
    QElapsedTimer timer;
    timer.start();
    double toFirstPage = 0;
    saveCopyBookPdf(book.pages(), fileName, book.pdfExportOptions(), [&](int done, int) {
        if (done == 1)
            toFirstPage = timer.nsecsElapsed() / 1e9;
        return done < pages;
    });
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("%d %f %ld\n", book.pageCount(), toFirstPage, usage.ru_maxrss);
    return 0;
}

void benchLongExport()
{
    std::printf("\nThe page-image export of a 5 MB text (95,760 pages), stopped after so many pages, in a process "
                "of its own (min / median of %d)\n\n| pages written | s to the first page | peak RSS (MiB) |\n"
                "|---:|---:|---:|\n",
        kRuns);
    for (const int pages : {20, 200}) {
        Figures first, peak;
        for (int run = 0; run < kRuns; ++run) {
            QTemporaryDir directory;
            QProcess child;
            child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--long-export"), QString::number(pages),
                    directory.filePath(QStringLiteral("long.pdf"))});
            child.waitForFinished(-1);
            const QStringList fields
                = QString::fromLatin1(child.readAllStandardOutput()).simplified().split(QLatin1Char(' '));
            if (fields.size() != 3)
                return;
            first.values.append(fields[1].toDouble());
            peak.values.append(fields[2].toDouble() / 1024);
        }
        std::printf(
            "| %d | %.2f / %.2f | %.0f / %.0f |\n", pages, first.min(), first.median(), peak.min(), peak.median());
        std::fflush(stdout);
    }
}

bool benchStrokeOrderExport()
{
    std::printf("\nExport of the same 30-page Trace/All text with stroke order on and off, %d alternating runs each "
                "(min / median); the text of the export below, and the same without its characters of more than 22 "
                "strokes, whose frames take a second line\n\n",
        kRuns);
    std::printf("| text | way | stroke order | s for the book | pages | bytes/page | time / without |\n");
    std::printf("|---|---|---|---:|---:|---:|---:|\n");
    constexpr int pages = 30;
    QMap<QString, Figures> seconds, bytes;
    QStringList ways;
    for (const QString &text : {QString(), QStringLiteral(":few")}) {
        for (const char *way : {"pages", "pages+strokes", "vector", "vector+strokes"})
            ways << QLatin1String(way) + text;
    }
    for (int run = 0; run < kRuns; ++run) {
        for (const QString &way : ways) {
            ExportRun result;
            if (!exportInChild(pages, way, result))
                return false;
            seconds[way].values.append(result.seconds);
            bytes[way].values.append(result.bytesPerPage * pages);
        }
    }
    for (const QString &way : ways) {
        const bool strokes = way.contains(QLatin1String("+strokes"));
        const bool few = way.endsWith(QLatin1String(":few"));
        const QString without = QString(way).remove(QLatin1String("+strokes"));
        CopyBook book;
        fillTraceBook(book, pages, few);
        changeOptions(book, [&](auto &o) { o.strokeOrder = strokes; });
        std::printf("| %s | %s | %s | %.2f / %.2f | %d | %.0f | %.2f |\n", few ? "at most 22 strokes" : "all",
            way.startsWith(QLatin1String("vector")) ? "vector" : "page images", strokes ? "on" : "off",
            seconds[way].min(), seconds[way].median(), book.pageCount(), bytes[way].median() / book.pageCount(),
            seconds[way].median() / seconds[without].median());
    }
    std::fflush(stdout);
    return true;
}

bool benchExport()
{
    std::printf("\nExport of a Trace/All book, %d alternating runs each (min / median)\n\n", kRuns);
    std::printf("| pages | way | s/page | peak RSS (MiB) | bytes/page | time / first way |\n");
    std::printf("|---:|---|---:|---:|---:|---:|\n");
    for (const int pages : {10, 30, 100}) {
        QMap<QString, Figures> seconds, memory, bytes;
        const QStringList ways = {QStringLiteral("pages"), QStringLiteral("first"), QStringLiteral("vector")};
        for (int run = 0; run < kRuns; ++run) {
            for (const QString &way : ways) {
                ExportRun result;
                if (!exportInChild(pages, way, result))
                    return false;
                seconds[way].values.append(result.secondsPerPage);
                memory[way].values.append(result.peakMiB);
                bytes[way].values.append(result.bytesPerPage);
            }
        }
        for (const QString &way : ways) {
            const char *name = way == QLatin1String("first") ? "first way (QPdfWriter, page images)"
                : way == QLatin1String("pages")              ? "page images (default)"
                                                             : "vector";
            std::printf("| %d | %s | %.3f / %.3f | %.0f / %.0f | %.0f | %.2f |\n", pages, name, seconds[way].min(),
                seconds[way].median(), memory[way].min(), memory[way].median(), bytes[way].median(),
                seconds[way].median() / seconds[QStringLiteral("first")].median());
        }
        std::fflush(stdout);
    }
    return true;
}
