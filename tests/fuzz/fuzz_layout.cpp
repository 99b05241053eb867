// Any options (the first bytes) and any text (the rest): the layout keeps its promises. Rows never go
// back, cells stand in the grid's columns on the page of their row, every page gives its cells again as
// the whole walk does, the stroke-order frames stay in the room above their row, and a text with
// something to lay out either has rows to lay it out on or a reason why not.
#include "copybook.h"
#include "fuzzapplication.h"

#include <algorithm>
#include <cstdlib>

namespace {

struct Bytes
{
    const uint8_t *data;
    size_t size;
    uint8_t next() { return size > 0 ? (--size, *data++) : 0; }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    ensureApplication();
    using namespace CopyBookOptions;
    Bytes in {data, size};
    OptionValues options;
    options.bookType = BookType(in.next() % 3);
    options.traceType = TraceType(in.next() % 4);
    options.blankLines = in.next() % 7 - 1;
    options.cellSize = kMinCellSize + (kMaxCellSize - kMinCellSize) * in.next() / 255.0;
    options.commonChineseOnly = in.next() % 2;
    const uint8_t sheet = in.next();
    options.pinyin = sheet & 1;
    options.pinyinOnly = sheet & 2;
    options.plainTones = sheet & 4;
    options.strokeOrder = sheet & 8;
    options.landscape = sheet & 16;
    options.paper = Paper(in.next() % 6);
    const uint8_t lesson = in.next();
    options.words = lesson & 1;
    options.fade = lesson & 2;
    options.unique = lesson & 4;
    options.fourLines = lesson & 8;
    // Zhuyin stands in for the band, and neither goes on four lines, as the window and the renderer allow.
    options.zhuyin = (lesson & 16) && !options.fourLines;
    options.copies = lesson & 32 ? in.next() % 40 : -1;
    CopyBook book;
    book.setOptions(options);
    book.setText(QString::fromUtf8(reinterpret_cast<const char *>(in.data), int(in.size)));

    const CopyBookPages pages = book.pages();
    if (options.fourLines) {
        // Every word on a stave of the book, within the stave's ends.
        const FourLines &staves = book.fourLines();
        for (const FourLines::Line &line : staves.lines()) {
            for (const FourLines::Word &word : line.words) {
                if (line.stave >= qint64(staves.stavesPerPage()) * book.pageCount() || word.x < staves.left() - 1e-6
                    || word.x + word.width > staves.right() + 1e-6)
                    std::abort();
            }
        }
        return 0;
    }
    const int rows = book.rowsPerPage();
    int lastRow = -1;
    QVector<CopyBookCell> walked;
    book.contentModel().forEachCell([&](const CopyBookCell &cell) {
        if (cell.row < lastRow || cell.column < 0 || cell.column >= book.columnsPerRow())
            std::abort();
        lastRow = cell.row;
        walked.append(cell);
        return walked.size() < 4096;
    });
    if (walked.isEmpty() != (book.contentModel().lastRow() < 0) || (rows == 0 && !walked.isEmpty()))
        std::abort();
    // An ideograph passes every filter: it is laid out, or the book says why not.
    const bool hasIdeograph = std::any_of(book.text().cbegin(), book.text().cend(),
        [](QChar c) { return c.unicode() >= 0x4E00 && c.unicode() <= 0x9FFF; });
    if (hasIdeograph && walked.isEmpty() && book.layoutProblem().isEmpty())
        std::abort();
    for (const int page : {0, book.pageCount() - 1}) {
        for (const CopyBookCell &cell : pages.cellsOfPage(page)) {
            if (cell.row / rows != page)
                std::abort();
            for (const QRectF &frame : pages.strokeFrames({cell})) {
                const GridCell &square = book.grid()[cell.row % rows][0];
                const double bottom = square.y - pages.pinyinBand;
                if (frame.bottom() > bottom + 1e-6 || frame.top() < bottom - pages.strokeFramesHeight - 1e-6)
                    std::abort();
            }
        }
    }
    return 0;
}
