// The preview against the way it was first built: rendering the whole page and smooth-scaling it on
// every paint.

#include "benchcommon.h"

#include <QElapsedTimer>
#include <cstdio>

void benchPreview(const QSize &size, const char *label, void (*sheet)(CopyBookOptions::OptionValues &))
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
