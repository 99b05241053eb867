#pragma once

#include <QColor>
#include <QString>

// The options a copybook is made with, their defaults and the ranges of their controls: one record shared
// by the engine, the settings store, the command-line renderer and the window, so that all of them agree
// on what a valid option is.
namespace CopyBookOptions {

// The choices keep the numbers they have always had in the settings store and as the combos' item data.
enum class BookType { Trace = 0, Copy = 1 };
enum class TraceType { None = 0, Half = 1, All = 2 };
enum class GridStyle { Tian = 0, Mi = 1, Square = 2, Hui = 3, Nine = 4 };
enum class TraceStyle { Solid = 0, Hollow = 1 };
enum class Paper { A4 = 0, A5 = 1, B5 = 2, Letter = 3, A3 = 4 };

constexpr double kMinCellSize = 0.5;
constexpr double kMaxCellSize = 10.0;
constexpr double kMinFontSize = 0.5;
constexpr double kMaxFontSize = 10.0;
constexpr double kMinOpacity = 0.1;
constexpr double kMaxOpacity = 1.0;
constexpr int kMinBlankLines = 0;
constexpr int kMaxBlankLines = 5;
// More copies than a row of the smallest squares holds on the widest paper.
constexpr int kMaxCopies = 99;
// Export threads beyond this only queue for the same cores and memory.
constexpr int kMaxJobs = 64;

// Every option a copybook is made with and that outlives a run: the ten of the main panel and the sheet's
// beyond them. The member initialisers are the defaults; with every sheet option at its default a page is
// exactly the plain sheet. The sizes are held in double precision, as the engine is handed them; the store
// keeps them in single precision.
struct OptionValues
{
    BookType bookType = BookType::Trace;
    TraceType traceType = TraceType::Half;
    int blankLines = 0;
    double cellSize = static_cast<double>(1.5f);
    double fontSize = static_cast<double>(1.2f);
    double opacity = static_cast<double>(0.6f);
    QString fontName = QStringLiteral("楷体");
    bool commonChineseOnly = true;
    QColor gridColor = QColor(Qt::red);
    QColor textColor = QColor(Qt::black);

    GridStyle gridStyle = GridStyle::Tian;
    TraceStyle traceStyle = TraceStyle::Solid;
    // Words kept whole: a Trace row of a word and its copies, a Copy book's rows broken between words.
    bool words = false;
    // Faded copies after the model in a Trace row (as many as fit at most); below 0 the trace type decides.
    int copies = -1;
    // The copies fade along the row, from the opacity to a quarter of it.
    bool fade = false;
    // A Trace book gives each character (or word) one row, at its first place in the text.
    bool unique = false;
    // English on four lines: staves instead of squares.
    bool fourLines = false;
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
    // A Trace book heads each character's row with its card: the character with its strokes numbered, its
    // facts and words with it.
    bool card = false;
    Paper paper = Paper::A4;
    bool landscape = false;
    // Save As draws the PDF's pages instead of writing page images.
    bool vectorPdf = false;
    // A 5 cm ruler in the bottom margin, to check that a printer did not scale the page.
    bool ruler = false;
    // Every glyph centred in its square by its ink and shrunk, never grown, to stay inside it: for a font
    // whose glyphs stand off the centre of their em box or beyond it.
    bool fitGlyphs = false;
    // Zhuyin in a narrow column beside every square, in place of the pinyin band, as Taiwan's pupils
    // learn characters.
    bool zhuyin = false;

    // The pinyin band, which zhuyin takes the place of.
    bool showsPinyin() const { return (pinyin || pinyinOnly) && !zhuyin; }
    // Whether the cells carry their readings: for the band or for zhuyin.
    bool showsReadings() const { return pinyin || pinyinOnly || zhuyin; }
    // Whether Trace rows are headed by cards: they have no place in a Copy book or on staves.
    bool showsCards() const { return card && isTraceBook() && !fourLines; }
    bool isA4Portrait() const { return paper == Paper::A4 && !landscape; }
    bool isTraceBook() const { return bookType == BookType::Trace; }
};

// How a PDF is written: page images (the default) or the drawing itself, and with how many threads (0
// for one per core).
struct PdfExportOptions
{
    bool vector = false;
    int jobs = 0;
};

} // namespace CopyBookOptions
