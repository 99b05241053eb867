#include "copybook.h"

#include "optiontable.h"
#include "pagegeometry.h"
#include "pinyinband.h"
#include "strokeframes.h"
#include "strokeorder.h"

#include <QtGlobal>
#include <cmath>

using namespace PageGeometry;

namespace {

// Cell sizes below this (and sizes that are not numbers) lay out no row at all. The controls stop at
// 0.5 cm; a smaller stored value would otherwise ask for tens of thousands of squares per page, and a
// vanishing one for more columns than an int can count.
constexpr double kSmallestCellSizeCm = 0.1;

// Glyph pixel sizes are held to this range whatever size is asked for: a zero or negative size is
// rejected by QFont, and an enormous one would make the rasteriser allocate without bound. The upper end
// is above the page height, so any glyph that can be seen at all is drawn as asked.
constexpr int kSmallestGlyphPixels = 1;
constexpr int kLargestGlyphPixels = 4096;

// The most strokes of a character of the text that has stroke data (0 for none), counted over the text
// as typed: a character the layout drops costs at most a line of frames that stays empty.
int mostStrokes(const QString &text, bool commonChineseOnly)
{
    int most = 0;
    for (int at = 0; at < text.size(); ++at) {
        uint code = text.at(at).unicode();
        if (QChar::isHighSurrogate(code) && at + 1 < text.size() && text.at(at + 1).isLowSurrogate()) {
            code = QChar::surrogateToUcs4(text.at(at), text.at(at + 1));
            ++at;
        }
        if (!commonChineseOnly || (code >= 0x4E00 && code <= 0x9FFF))
            most = qMax(most, StrokeOrder::strokeCount(code));
    }
    return most;
}

int glyphPixelSize(double pixels)
{
    if (std::isnan(pixels))
        return kSmallestGlyphPixels;
    return static_cast<int>(qBound<double>(kSmallestGlyphPixels, pixels, kLargestGlyphPixels));
}

} // namespace

CopyBook::CopyBook() : resolution(kResolution), cellSize(0.0)
{
    // The engine starts where the settings and the renderer start.
    CopyBookOptions::applyOptions(this, CopyBookOptions::OptionValues());
}

void CopyBook::setBookType(int bookType)
{
    content.bookType = bookType;
    relayCells();
}

void CopyBook::setTraceType(int traceType)
{
    content.traceType = traceType;
    content.rebuildCells();
}

void CopyBook::setBlankLines(int blankLines)
{
    content.blankLines = blankLines;
    content.rebuildCells();
}

void CopyBook::setCommonChineseOnly(bool commonChineseOnly)
{
    content.commonChineseOnly = commonChineseOnly;
    relayCells();
}

void CopyBook::setOpacity(double opacity)
{
    content.opacity = opacity;
    content.rebuildCells();
}

void CopyBook::setContent(const QString &text)
{
    content.text = text;
    relayCells();
}

void CopyBook::setCellSize(double size)
{
    cellSize = size;
    updatePageGeometry();
}

void CopyBook::setFontName(const QString &family)
{
    font.setFamily(family);
}

void CopyBook::setFontSize(double size)
{
    setGlyphSizeCm(size);
}

void CopyBook::setFontNameAndSize(const QString &family, double size)
{
    font.setFamily(family);
    setGlyphSizeCm(size);
}

void CopyBook::setGridColor(QColor color)
{
    gridColour = color;
}

void CopyBook::setTextColor(QColor color)
{
    textColour = color;
}

void CopyBook::setGridStyle(int style)
{
    sheet.gridStyle = style;
}

void CopyBook::setTraceStyle(int style)
{
    sheet.traceStyle = style;
}

void CopyBook::setTitle(const QString &title)
{
    sheet.title = title;
}

void CopyBook::setNameFields(bool on)
{
    sheet.nameFields = on;
}

void CopyBook::setPageNumbers(bool on)
{
    sheet.pageNumbers = on;
}

// The band takes room above every row, so the rows per page follow it.
void CopyBook::setPinyin(bool on)
{
    sheet.pinyin = on;
    updatePageGeometry();
}

void CopyBook::setPinyinOnly(bool on)
{
    sheet.pinyinOnly = on;
    updatePageGeometry();
}

void CopyBook::setPlainTones(bool on)
{
    sheet.plainTones = on;
    updatePageGeometry();
}

// The frames take room above every row, as the band does.
void CopyBook::setStrokeOrder(bool on)
{
    sheet.strokeOrder = on;
    updatePageGeometry();
}

void CopyBook::setSheet(const CopyBookOptions::SheetOptions &options)
{
    const bool readingsChange = options.showsPinyin() != sheet.showsPinyin() || options.plainTones != sheet.plainTones;
    const bool paperChanges = options.paper != sheet.paper || options.landscape != sheet.landscape;
    const bool framesChange = options.strokeOrder != sheet.strokeOrder;
    sheet = options;
    if (readingsChange || paperChanges || framesChange)
        updatePageGeometry();
}

void CopyBook::setGlyphSizeCm(double size)
{
    font.setPixelSize(glyphPixelSize(resolution * (size / kCmPerInch)));
}

double CopyBook::cellSidePixels() const
{
    return cmToPixels(cellSize, resolution);
}

double CopyBook::pinyinBandPixels() const
{
    return sheet.showsPinyin() ? cellSidePixels() * PinyinBand::kHeightShare : 0.0;
}

double CopyBook::strokeFramesPixels() const
{
    return frameLines * cellSidePixels() * StrokeFrames::kFrameShare;
}

bool CopyBook::showsStrokeOrder() const
{
    return sheet.strokeOrder && content.bookType == CopyBookOptions::TraceBook;
}

void CopyBook::relayCells()
{
    if (showsStrokeOrder())
        updatePageGeometry();
    else
        content.rebuildCells();
}

double CopyBook::marginPixels() const
{
    return cmToPixels(kMarginCm, resolution);
}

QSize CopyBook::pageSizePixels() const
{
    return pages().pageSize(resolution);
}

CopyBookPages CopyBook::pages() const
{
    CopyBookPages pages;
    pages.pageGrid = pageGrid;
    pages.cellSide = cellSidePixels();
    pages.pinyinBand = pinyinBandPixels();
    pages.strokeFramesHeight = strokeFramesPixels();
    pages.margin = marginPixels();
    pages.resolution = resolution;
    pages.glyphFont = font;
    pages.gridColor = gridColour;
    pages.textColor = textColour;
    pages.content = content;
    pages.sheet = sheet;
    return pages;
}

void CopyBook::updatePageGeometry()
{
    pageGrid.clear();

    const PaperCm paper = paperCm(sheet.paper, sheet.landscape);
    const double availableHeight = paper.height - kMarginCm - kMarginCm;
    const double usableWidth = paper.width - kMarginCm - kMarginCm;
    const bool layable = cellSize >= kSmallestCellSizeCm && std::isfinite(cellSize);
    // The pinyin band sits on top of each row of squares. Without it the band is +0.0, which leaves every
    // sum below exactly the plain sheet's: its row and column counts depend on them to the last bit.
    const double band = sheet.showsPinyin() ? cellSize * PinyinBand::kHeightShare : 0.0;
    const int columns = layable ? static_cast<int>(usableWidth / cellSize) : 0;
    // The stroke-order frames sit above the band, in as many lines as the character with the most strokes
    // needs; without them, +0.0 again.
    frameLines = showsStrokeOrder() ? StrokeFrames::linesFor(
                     mostStrokes(content.text, content.commonChineseOnly), StrokeFrames::framesPerLine(columns))
                                    : 0;
    const double frameRoom = frameLines > 0 ? frameLines * cellSize * StrokeFrames::kFrameShare : 0.0;
    const double above = band + frameRoom;
    const double rowHeight = cellSize + above;
    const int rows = layable ? static_cast<int>((availableHeight + kRowGapCm) / (rowHeight + kRowGapCm)) : 0;

    double y = (availableHeight - rows * rowHeight - (rows - 1) * kRowGapCm) * 0.5 + kMarginCm + above;
    for (int r = 0; r < rows; ++r) {
        double x = (usableWidth - columns * cellSize) * 0.5 + kMarginCm;
        QVector<GridCell> row;
        row.reserve(columns);
        for (int c = 0; c < columns; ++c) {
            row.append({cmToPixels(x, resolution), cmToPixels(y, resolution)});
            x = x + cellSize;
        }
        pageGrid.append(row);
        y = (rowHeight + kRowGapCm) + y;
    }

    // With no row at all the old cells would refer to a grid that no longer exists; dropping them gives
    // one blank page instead of a page count divided by zero rows.
    content.columns = columnsPerRow();
    content.rowsPerPage = rowsPerPage();
    content.pinyin = sheet.showsPinyin();
    content.plainTones = sheet.plainTones;
    content.rebuildCells();
}
