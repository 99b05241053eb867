// Texts: the readings of running prose, a long text set and previewed, the national list set as a lesson
// sheet, and the first load of the stroke table.

#include "benchcommon.h"
#include "characterlists.h"
#include "glyphfaces.h"
#include "pinyin.h"
#include "pinyinwords.h"
#include "strokeorder.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <cstdio>
#include <cstring>
#include <sys/resource.h>

namespace {

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
} // namespace

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
