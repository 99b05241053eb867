// Measures the preview and the PDF export against the ways they were first built, in the same run:
// the preview against rendering the whole page and smooth-scaling it on every paint, the export against
// QPdfWriter drawing each page image. Each export runs in a child process of its own, so its peak
// resident memory is its own; runs alternate between the ways, and every figure is reported as the
// minimum and the median over the runs, since a shared machine is noisy.

#include "appinfo.h"
#include "benchcommon.h"
#include "fonts.h"
#include "startup.h"

#include <QGuiApplication>
#include <cstdio>

int main(int argc, char *argv[])
{
    preferOffscreenPlatform();
    QGuiApplication app(argc, argv);
    AppInfo::applyIdentity();
    installKaiFontSubstitution();

    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() == 5 && arguments[1] == QLatin1String("--export"))
        return runExport(arguments[2].toInt(), arguments[3], arguments[4]);
    if (arguments.size() == 3 && arguments[1] == QLatin1String("--long-text"))
        return runLongText(arguments[2].toInt());
    if (arguments.size() == 4 && arguments[1] == QLatin1String("--long-export"))
        return runLongExport(arguments[2].toInt(), arguments[3]);
    // The long export's figures alone.
    if (arguments.size() == 2 && arguments[1] == QLatin1String("--long-export")) {
        benchLongExport();
        return 0;
    }
    if (arguments.size() == 2 && arguments[1] == QLatin1String("--stroke-load"))
        return runStrokeLoad();

    benchReadings();
    // The reading figures alone, without the drawing and export runs below.
    if (arguments.contains(QLatin1String("--readings")))
        return 0;

    std::printf(
        "Preview, ms per paint (min / median of %d); the first way renders the page and scales it\n\n", kPreviewRuns);
    std::printf("| preview | after an option change | plain repaint | page turn | first way | change / first way |\n");
    std::printf("|---|---:|---:|---:|---:|---:|\n");
    for (const QSize &size : {QSize(1000, 1400), QSize(2000, 2800)}) {
        benchPreview(size, "");
        benchPreview(size, ", stroke order", [](CopyBookOptions::OptionValues &o) { o.strokeOrder = true; });
        benchPreview(size, ", lesson sheet", lessonSheet);
        benchPreview(size, ", cards", cardSheet);
    }

    std::printf("\nLevel one of the national list (3,500 characters) set as a lesson sheet, then its first preview "
                "at 1000 x 1400, ms (min / median of %d)\n\n| set | preview |\n|---:|---:|\n",
        kPreviewRuns);
    benchListedText();

    std::printf("\nThe stroke table: the first outline (inflating it) and the next, ms, in a fresh process (min / "
                "median of 5)\n\n| first | next |\n|---:|---:|\n");
    benchStrokeLoad();
    if (!benchStrokeOrderExport())
        return 1;
    // The stroke-order figures alone, without the long runs below.
    if (arguments.contains(QLatin1String("--stroke-order")))
        return 0;

    std::printf("\nA long text in a Copy book: setting it, then the first preview, in a process of its own\n\n");
    std::printf("| text | pages | set (s) | of which the glyph check (s) | preview (s) | peak RSS (MiB) |\n"
                "|---:|---:|---:|---:|---:|---:|\n");
    for (const int megabytes : {2, 20})
        benchLongText(megabytes);
    benchLongExport();
    return benchExport() ? 0 : 1;
}
