#pragma once

#include <QColor>
#include <QString>

// Defaults and control ranges of the copybook options, shared by the window's controls, the settings
// store and the command-line renderer so that all of them agree on what a valid option is.
namespace CopyBookOptions {

enum BookType { TraceBook = 0, CopyBook = 1 };
enum TraceType { TraceNone = 0, TraceHalf = 1, TraceAll = 2 };
// Sheet options beyond the documented ten, each off (or at the plain square) by default.
enum GridStyle { GridTian = 0, GridMi = 1, GridSquare = 2, GridHui = 3, GridNine = 4 };
enum TraceStyle { TraceSolid = 0, TraceHollow = 1 };
enum Paper { PaperA4 = 0, PaperA5 = 1, PaperB5 = 2, PaperLetter = 3, PaperA3 = 4 };
constexpr int kLastGridStyle = GridNine;
constexpr int kLastTraceStyle = TraceHollow;

constexpr int kDefaultBookType = TraceBook;
constexpr int kDefaultTraceType = TraceHalf;
constexpr int kDefaultBlankLines = 0;
constexpr float kDefaultCellSize = 1.5f;
constexpr float kDefaultFontSize = 1.2f;
constexpr float kDefaultOpacity = 0.6f;
constexpr bool kDefaultCommonChineseOnly = true;
inline QString defaultFontName()
{
    return QStringLiteral("楷体");
}
inline QColor defaultGridColor()
{
    return QColor(Qt::red);
}
inline QColor defaultTextColor()
{
    return QColor(Qt::black);
}

constexpr double kMinCellSize = 0.5;
constexpr double kMaxCellSize = 10.0;
constexpr double kMinFontSize = 0.5;
constexpr double kMaxFontSize = 10.0;
constexpr double kMinOpacity = 0.1;
constexpr double kMaxOpacity = 1.0;
constexpr int kMinBlankLines = 0;
constexpr int kMaxBlankLines = 5;
// Export threads beyond this only queue for the same cores and memory.
constexpr int kMaxJobs = 64;

// What a sheet carries beyond the grid and the glyphs. With every member at its default, a page is
// exactly the plain sheet.
struct SheetOptions
{
    int gridStyle = GridTian;
    int traceStyle = TraceSolid;
    QString title;
    bool nameFields = false;
    bool pageNumbers = false;
    // A band with the reading above every row of squares.
    bool pinyin = false;
    // "Write from pinyin": the band shows the reading, the squares to write in stay empty.
    bool pinyinOnly = false;
    // 一 and 不 with their own tones in running text too (一个 yī gè), as the national orthography marks them.
    bool plainTones = false;
    // A Trace book shows, above each character's row, the character built up stroke by stroke.
    bool strokeOrder = false;
    int paper = PaperA4;
    bool landscape = false;

    bool showsPinyin() const { return pinyin || pinyinOnly; }
    bool isA4Portrait() const { return paper == PaperA4 && !landscape; }
};

// How a PDF is written: page images (the default) or the drawing itself, and with how many threads (0
// for one per core).
struct PdfExportOptions
{
    bool vector = false;
    int jobs = 0;
};

// Hands a record of the ten options (the settings record, a renderer request) to the engine, in the
// order the program has always used: the cell size before the font, the colours last.
template<typename Book, typename Options> void applyInOrder(Book *book, const Options &options)
{
    book->setBookType(options.bookType);
    book->setTraceType(options.traceType);
    book->setCellSize(options.cellSize);
    book->setFontNameAndSize(options.fontName, options.fontSize);
    book->setBlankLines(options.blankLines);
    book->setOpacity(options.opacity);
    book->setCommonChineseOnly(options.commonChineseOnly);
    book->setGridColor(options.gridColor);
    book->setTextColor(options.textColor);
}

// Hands every option of a record (see OptionValues) to the engine: the ten, then the sheet's.
template<typename Book, typename Options> void applyOptions(Book *book, const Options &options)
{
    applyInOrder(book, options);
    book->setSheet(options.sheet());
    book->setVectorPdf(options.vectorPdf);
}

} // namespace CopyBookOptions
