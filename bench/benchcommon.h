// What the benchmark's parts share: the run counts, the figures kept over alternating runs, the books
// they fill and the preview as the window draws it.

#pragma once

#include "copybook.h"
#include "glyphstamps.h"

#include <QImage>
#include <QPainter>
#include <QVector>
#include <algorithm>
#include <functional>

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
void fillTraceBook(CopyBook &book, int pages, bool fewStrokes = false);

// Milliseconds `paint` takes.
double paintMs(const std::function<void()> &paint);

// A lesson sheet: words with four fading copies, each once, with pinyin and stroke order.
void lessonSheet(CopyBookOptions::OptionValues &o);
// Character cards over pinyin and stroke order, as a teacher prints the week's new characters.
void cardSheet(CopyBookOptions::OptionValues &o);

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

// Children, each run in a process of its own so that its peak memory and first loads are its own.
int runExport(int pages, const QString &way, const QString &fileName);
int runStrokeLoad();
int runLongText(int megabytes);
int runLongExport(int pages, const QString &fileName);

// The tables of figures, printed as Markdown.
void benchReadings();
void benchPreview(const QSize &size, const char *label, void (*sheet)(CopyBookOptions::OptionValues &) = nullptr);
void benchListedText();
void benchStrokeLoad();
void benchLongText(int megabytes);
void benchLongExport();
bool benchStrokeOrderExport();
bool benchExport();
