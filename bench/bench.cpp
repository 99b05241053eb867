// Measures the preview and the PDF export against the ways they were first built, in the same run:
// the preview against rendering the whole page and smooth-scaling it on every paint, the export against
// QPdfWriter drawing each page image. Each export runs in a child process of its own, so its peak
// resident memory is its own; runs alternate between the ways, and every figure is reported as the
// minimum and the median over the runs, since a shared machine is noisy.

#include "appinfo.h"
#include "characterlists.h"
#include "copybook.h"
#include "fonts.h"
#include "glyphfaces.h"
#include "glyphstamps.h"
#include "pagegeometry.h"
#include "pdfexport.h"
#include "pinyin.h"
#include "pinyinwords.h"
#include "startup.h"
#include "strokeorder.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <sys/resource.h>

namespace {

constexpr int kRowsPerPage = 15;
constexpr int kRuns = 3;
// A paint takes milliseconds, so the preview can afford many more runs than the export.
constexpr int kPreviewRuns = 21;

struct Figures
{
    QVector<double> values;

    double min() const { return *std::min_element(values.cbegin(), values.cend()); }
    double median() const
    {
        QVector<double> sorted = values;
        std::sort(sorted.begin(), sorted.end());
        return sorted[sorted.size() / 2];
    }
};

// Changes the book's options through `change`.
template<typename Change> void changeOptions(CopyBook &book, const Change &change)
{
    CopyBookOptions::OptionValues options = book.options();
    change(options);
    book.setOptions(options);
}

// A Trace book with trace type All and a distinct character per row: every square holds a glyph. With
// `fewStrokes`, the characters of more strokes than a line of stroke-order frames holds at their usual
// side (22 at the default size) are passed over, as in most texts.
void fillTraceBook(CopyBook &book, int pages, bool fewStrokes = false)
{
    const int framesPerLine = 2 * book.columnsPerRow();
    changeOptions(book, [](auto &o) { o.traceType = CopyBookOptions::TraceType::All; });
    QString text;
    for (int i = 0; text.size() < pages * kRowsPerPage; ++i) {
        const QChar character(0x4E00 + (i * 37) % 0x5000);
        if (!fewStrokes || StrokeOrder::strokeCount(character.unicode()) <= framesPerLine)
            text += character;
    }
    book.setText(text);
}

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

// Child: the first stroke outline asked for, which inflates the table, then another; printed as "ms ms".
int runStrokeLoad()
{
    QElapsedTimer timer;
    timer.start();
    const bool first = StrokeOrder::strokes(0x6C38).size() == 5;
    const double firstMs = timer.nsecsElapsed() / 1e6;
    timer.restart();
    const bool second = StrokeOrder::strokes(0x8D62).size() == 17;
    std::printf("%f %f\n", firstMs, timer.nsecsElapsed() / 1e6);
    return first && second ? 0 : 1;
}

void benchStrokeLoad()
{
    Figures first, next;
    for (int run = 0; run < 5; ++run) {
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--stroke-load")});
        child.waitForFinished(-1);
        const QStringList fields
            = QString::fromLatin1(child.readAllStandardOutput()).simplified().split(QLatin1Char(' '));
        if (child.exitCode() != 0 || fields.size() != 2)
            return;
        first.values.append(fields[0].toDouble());
        next.values.append(fields[1].toDouble());
    }
    std::printf("| %.1f / %.1f | %.3f / %.3f |\n", first.min(), first.median(), next.min(), next.median());
}

// The translations of the message catalogues under /usr/share/locale/zh_CN, one a line: running modern
// prose. A .mo file is a header of 32-bit words (magic, revision, count, where the originals' and the
// translations' tables start) and tables of (length, offset) pairs.
QString catalogueProse()
{
    QString text;
    const QDir dir(QStringLiteral("/usr/share/locale/zh_CN/LC_MESSAGES"));
    for (const QString &name : dir.entryList({QStringLiteral("*.mo")}, QDir::Files, QDir::Name)) {
        QFile file(dir.filePath(name));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QByteArray data = file.readAll();
        const auto word = [&data](qsizetype at) {
            quint32 value = 0;
            if (at >= 0 && at + 4 <= data.size())
                std::memcpy(&value, data.constData() + at, 4);
            return value;
        };
        if (word(0) != 0x950412deu)
            continue;
        const quint32 count = word(8);
        const quint32 translations = word(16);
        for (quint32 i = 0; i < count; ++i) {
            const quint32 length = word(translations + 8 * i);
            const quint32 offset = word(translations + 8 * i + 4);
            if (qsizetype(offset) + length <= data.size())
                text += QString::fromUtf8(data.constData() + offset, int(length)) + QLatin1Char('\n');
        }
    }
    return text;
}

// Reading every character of running prose, as an export reads every cell's reading, against looking
// each one up in the Unihan table alone: characters a second, min / median over alternating runs.
void benchReadings()
{
    QString text = catalogueProse();
    const bool prose = !text.isEmpty();
    // Without catalogues, every ideograph of the common block in turn.
    for (int i = 0; !prose && i < 1000 * 1000; ++i)
        text += QChar(0x4E00 + (i * 37) % 0x5000);
    Figures reader, unihan;
    // Read by nothing, but kept, so that no lookup is optimised away.
    volatile qint64 sink = 0;
    for (int run = 0; run < 7; ++run) {
        QElapsedTimer timer;
        timer.start();
        PinyinWords::Reader words(text, PinyinWords::Tones::Changed);
        for (int at = 0; at < text.size(); ++at)
            sink = sink + words.readingAt(at).size() + words.isSettled(at);
        reader.values.append(text.size() / (timer.nsecsElapsed() / 1e9));
        timer.restart();
        for (int at = 0; at < text.size(); ++at)
            sink = sink + Pinyin::readingOf(text.at(at)).size();
        unihan.values.append(text.size() / (timer.nsecsElapsed() / 1e9));
    }
    std::printf("Readings of %d code units (%s), million characters a second (min / median of 7 alternating "
                "runs)\n\n| reader | Unihan lookup alone | reader / Unihan (medians) |\n|---:|---:|---:|\n",
        int(text.size()), prose ? "the zh_CN message catalogues" : "ideographs in turn");
    std::printf("| %.2f / %.2f | %.2f / %.2f | %.2f |\n\n", reader.min() / 1e6, reader.median() / 1e6,
        unihan.min() / 1e6, unihan.median() / 1e6, reader.median() / unihan.median());
    std::fflush(stdout);
}

// The preview as the window draws it: its page straight into a kept picture of the size shown, with the
// glyph stamps kept from one picture to the next; a repaint with nothing changed only copies the picture.
struct Preview
{
    explicit Preview(const QSize &shown)
        : picture(CopyBook().pageSizePixels().scaled(shown, Qt::KeepAspectRatio), QImage::Format_ARGB32_Premultiplied)
    { }

    void redraw(const CopyBook &book, int page = 0) { book.pages().renderPreviewInto(&picture, &stamps, page); }
    void show(QImage *target) const
    {
        QPainter painter(target);
        painter.drawImage(QPoint(), picture);
    }

    QImage picture;
    GlyphStamps stamps;
};

// Child: a text of `megabytes` MB of UTF-8 (ideographs, a line break now and then) set in a Copy book,
// then the preview of page 1 drawn at 1000 x 1400; printed as "setSeconds paintSeconds pages peakKiB".
int runLongText(int megabytes)
{
    QString text;
    const int characters = megabytes * 1000 * 1000 / 3;
    text.reserve(characters + characters / 40);
    for (int i = 0; i < characters; ++i) {
        text += QChar(0x4E00 + (i * 37) % 0x5000);
        if (i % 50 == 49)
            text += QLatin1Char('\n');
    }
    CopyBook book;
    changeOptions(book, [](auto &o) { o.bookType = CopyBookOptions::BookType::Copy; });
    Preview preview(QSize(1000, 1400));
    QElapsedTimer timer;
    timer.start();
    book.setText(text);
    const double setSeconds = timer.nsecsElapsed() / 1e9;
    timer.restart();
    preview.redraw(book);
    const double paintSeconds = timer.nsecsElapsed() / 1e9;
    // What setting the text spent on finding the characters the font lacks, done again the same way.
    timer.restart();
    charactersLacking(book.glyphFont(), book.contentModel().visibleCharacters());
    const double glyphCheckSeconds = timer.nsecsElapsed() / 1e9;
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("%f %f %d %ld %f\n", setSeconds, paintSeconds, book.pageCount(), usage.ru_maxrss, glyphCheckSeconds);
    return 0;
}

void benchLongText(int megabytes)
{
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--long-text"), QString::number(megabytes)});
    child.waitForFinished(-1);
    const QStringList fields = QString::fromLatin1(child.readAllStandardOutput()).simplified().split(QLatin1Char(' '));
    if (fields.size() != 5)
        return;
    std::printf("| %d MB | %s | %.3f | %.3f | %.3f | %.0f |\n", megabytes, qPrintable(fields[2]), fields[0].toDouble(),
        fields[4].toDouble(), fields[1].toDouble(), fields[3].toDouble() / 1024);
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

// Milliseconds `paint` takes.
double paintMs(const std::function<void()> &paint)
{
    QElapsedTimer timer;
    timer.start();
    paint();
    return timer.nsecsElapsed() / 1e6;
}

// A lesson sheet: words with four fading copies, each once, with pinyin and stroke order.
void lessonSheet(CopyBookOptions::OptionValues &o)
{
    o.words = true;
    o.copies = 4;
    o.fade = true;
    o.unique = true;
    o.pinyin = true;
    o.strokeOrder = true;
}

// Setting the 3,500 characters of level one as a lesson sheet (words, copies, each once, pinyin, stroke
// order), which lays the whole text out on the window's thread, then the first preview of it.
void benchListedText()
{
    const QString list = CharacterLists::select(QStringLiteral("tgh1")).characters;
    Figures set, paint;
    for (int run = 0; run < kPreviewRuns; ++run) {
        CopyBook book;
        changeOptions(book, lessonSheet);
        Preview preview(QSize(1000, 1400));
        set.values.append(paintMs([&] { book.setText(list); }));
        paint.values.append(paintMs([&] { preview.redraw(book); }));
    }
    std::printf("| %.1f / %.1f | %.2f / %.2f |\n", set.min(), set.median(), paint.min(), paint.median());
}

void benchPreview(const QSize &size, const char *label, void (*sheet)(CopyBookOptions::OptionValues &) = nullptr)
{
    const auto dress = [sheet](CopyBook &book) {
        if (sheet)
            changeOptions(book, sheet);
    };
    CopyBook book;
    fillTraceBook(book, 1);
    dress(book);
    Preview preview(size);
    QImage target(size, QImage::Format_ARGB32_Premultiplied);
    preview.redraw(book);
    // Turning the page of a long book draws the next one into the kept picture, its glyphs stamped
    // beforehand while the window was idle, as the preview does.
    CopyBook longBook;
    fillTraceBook(longBook, kPreviewRuns + 2);
    dress(longBook);
    Preview turned(size);
    QImage idle(turned.picture.size(), QImage::Format_ARGB32_Premultiplied);
    Figures change, repaint, turn, firstWay;
    double opacity = 0.5;
    for (int i = 0; i < kPreviewRuns; ++i) {
        changeOptions(book, [&](auto &o) { o.opacity = opacity += 0.01; });
        change.values.append(paintMs([&] {
            preview.redraw(book);
            preview.show(&target);
        }));
        repaint.values.append(paintMs([&] { preview.show(&target); }));
        longBook.pages().renderPreviewInto(&idle, &turned.stamps, i + 1);
        turn.values.append(paintMs([&] {
            turned.redraw(longBook, i + 1);
            turned.show(&target);
        }));
        QElapsedTimer timer;
        timer.start();
        QPainter painter(&target);
        painter.drawImage(
            QPoint(), book.pages().renderPage(0).scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation));
        painter.end();
        firstWay.values.append(timer.nsecsElapsed() / 1e6);
    }
    std::printf("| %d x %d%s | %.2f / %.2f | %.3f / %.3f | %.2f / %.2f | %.0f / %.0f | %.3f |\n", size.width(),
        size.height(), label, change.min(), change.median(), repaint.min(), repaint.median(), turn.min(), turn.median(),
        firstWay.min(), firstWay.median(), change.median() / firstWay.median());
}

} // namespace

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
    }

    std::printf("\nLevel one of the national list (3,500 characters) set as a lesson sheet, then its first preview "
                "at 1000 x 1400, ms (min / median of %d)\n\n| set | preview |\n|---:|---:|\n",
        kPreviewRuns);
    benchListedText();

    std::printf("\nThe stroke table: the first outline (inflating it) and the next, ms, in a fresh process (min / "
                "median of 5)\n\n| first | next |\n|---:|---:|\n");
    benchStrokeLoad();

    std::printf("\nExport of the same 30-page Trace/All text with stroke order on and off, %d alternating runs each "
                "(min / median); the text of the export below, and the same without its characters of more than 22 "
                "strokes, whose frames take a second line\n\n",
        kRuns);
    std::printf("| text | way | stroke order | s for the book | pages | bytes/page | time / without |\n");
    std::printf("|---|---|---|---:|---:|---:|---:|\n");
    {
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
                    return 1;
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
    }
    // The stroke-order figures alone, without the long runs below.
    if (arguments.contains(QLatin1String("--stroke-order")))
        return 0;

    std::printf("\nA long text in a Copy book: setting it, then the first preview, in a process of its own\n\n");
    std::printf("| text | pages | set (s) | of which the glyph check (s) | preview (s) | peak RSS (MiB) |\n"
                "|---:|---:|---:|---:|---:|---:|\n");
    for (const int megabytes : {2, 20})
        benchLongText(megabytes);

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
                    return 1;
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
    return 0;
}
