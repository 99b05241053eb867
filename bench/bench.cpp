// Measures the preview paint and the PDF export, and the export done the old way (every page rendered
// before the first is written) beside it. Each export runs in a child process of its own, so its peak
// resident memory is its own.

#include "appinfo.h"
#include "copybookwidget.h"
#include "fonts.h"
#include "startup.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <sys/resource.h>

namespace {

constexpr int kRowsPerPage = 15;

void fillTraceBook(CopyBookWidget &book, int pages)
{
    book.setTraceType(2);
    QString text;
    for (int i = 0; i < pages * kRowsPerPage; ++i)
        text += QChar(0x4E00 + (i * 37) % 0x5000);
    book.setContent(text);
}

bool exportTheOldWay(const CopyBookWidget &book, const QString &fileName)
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
    const QList<QImage> pages = book.renderAllPages();
    for (int i = 0; i < pages.size(); ++i) {
        if (i > 0)
            writer.newPage();
        painter.drawImage(painter.viewport(), pages[i]);
    }
    return painter.end();
}

// Child: one export, printed as "seconds bytes peakKiB".
int runExport(int pages, bool oldWay, const QString &fileName)
{
    CopyBookWidget book;
    fillTraceBook(book, pages);
    QElapsedTimer timer;
    timer.start();
    const bool ok = oldWay ? exportTheOldWay(book, fileName) : book.saveToPdf(fileName);
    const double seconds = timer.nsecsElapsed() / 1e9;
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("%f %lld %ld\n", seconds, static_cast<long long>(QFileInfo(fileName).size()), usage.ru_maxrss);
    return ok && book.pageCount() == pages ? 0 : 1;
}

double medianPreviewMs(int runs)
{
    CopyBookWidget book;
    fillTraceBook(book, 1);
    book.resize(1000, 1400);
    QImage target(book.size(), QImage::Format_ARGB32_Premultiplied);
    QVector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        book.render(&target);
        times.append(timer.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int main(int argc, char *argv[])
{
    preferOffscreenPlatform();
    QApplication app(argc, argv);
    AppInfo::applyIdentity();
    installKaiFontSubstitution();

    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() == 5 && arguments[1] == QLatin1String("--export"))
        return runExport(arguments[2].toInt(), arguments[3] == QLatin1String("old"), arguments[4]);

    std::printf("preview: one paint of page 0 into 1000 x 1400, median of 21: %.1f ms\n\n", medianPreviewMs(21));
    std::printf("| pages | export | s/page | peak RSS (MiB) | bytes/page |\n|---:|---|---:|---:|---:|\n");
    QTemporaryDir directory;
    for (const int pages : {1, 10, 100}) {
        for (const bool oldWay : {false, true}) {
            QProcess child;
            const QString file = directory.filePath(QStringLiteral("bench.pdf"));
            child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--export"), QString::number(pages),
                    oldWay ? QStringLiteral("old") : QStringLiteral("new"), file});
            child.waitForFinished(-1);
            const QStringList fields = QString::fromLatin1(child.readAllStandardOutput()).split(QLatin1Char(' '));
            if (child.exitCode() != 0 || fields.size() != 3) {
                std::fprintf(stderr, "export of %d pages failed\n", pages);
                return 1;
            }
            std::printf("| %d | %s | %.3f | %.0f | %.0f |\n", pages, oldWay ? "all pages first" : "page by page",
                fields[0].toDouble() / pages, fields[2].toDouble() / 1024, fields[1].toDouble() / pages);
            std::fflush(stdout);
        }
    }
    return 0;
}
