#include "copybook.h"

#include "glyphfaces.h"
#include "layoutunits.h"
#include "pagegeometry.h"
#include "pinyinband.h"
#include "strokeframes.h"
#include "strokeorder.h"
#include "zhuyincolumn.h"

#include <QFontInfo>
#include <QtGlobal>
#include <cmath>

using namespace CopyBookOptions;
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

bool isLayable(double cellSize)
{
    return cellSize >= kSmallestCellSizeCm && std::isfinite(cellSize);
}

int columnsFor(const PaperCm &paper, double cellSize)
{
    return isLayable(cellSize) ? static_cast<int>((paper.width - kMarginCm - kMarginCm) / cellSize) : 0;
}

// From one square to the next: the side, and the zhuyin column's width where it stands between them.
double squarePitch(double cellSize, bool zhuyin)
{
    return cellSize + (zhuyin ? cellSize * ZhuyinColumn::kWidthShare : 0.0);
}

int glyphPixelSize(double pixels)
{
    if (std::isnan(pixels))
        return kSmallestGlyphPixels;
    return static_cast<int>(qBound<double>(kSmallestGlyphPixels, pixels, kLargestGlyphPixels));
}

} // namespace

bool CopyBook::GridInputs::operator!=(const GridInputs &other) const
{
    return !(cellSize == other.cellSize && paper == other.paper && landscape == other.landscape && band == other.band
        && fourLines == other.fourLines && zhuyin == other.zhuyin && frameLines == other.frameLines
        && frameShare == other.frameShare);
}

bool CopyBook::CellInputs::operator!=(const CellInputs &other) const
{
    return !(columns == other.columns && blankLines == other.blankLines && opacity == other.opacity
        && bookType == other.bookType && traceType == other.traceType && commonChineseOnly == other.commonChineseOnly
        && layout == other.layout);
}

CopyBook::CopyBook() : resolution(kResolution)
{
    // No cell size gives this grid, so the first update lays the grid and the cells.
    laidGrid.cellSize = -1.0;
    update(true);
}

void CopyBook::setOptions(const OptionValues &options)
{
    if (options.commonChineseOnly != values.commonChineseOnly || options.words != values.words)
        strokesOfText = -1;
    values = options;
    update(false);
}

void CopyBook::setText(const QString &text)
{
    content.text = text;
    strokesOfText = -1;
    update(true);
}

void CopyBook::update(bool textChanged)
{
    const GridInputs grid = gridInputs();
    if (grid != laidGrid)
        layGrid(grid);
    // Its outlines are made once, and shared with the pages drawn on other threads.
    if (values.zhuyin && !zhuyinDrawing)
        zhuyinDrawing = std::make_shared<const ZhuyinColumn>();
    // Written in the letters of a font, the staves' lines follow every option that touches them; they are
    // few, and laid out again whole.
    staves = values.fourLines ? FourLines::layOut(content.text, values, pageSizePixels(), resolution) : FourLines();
    const CellInputs cells {columnsPerRow(), values.blankLines, values.opacity, static_cast<int>(values.bookType),
        static_cast<int>(values.traceType), values.commonChineseOnly,
        {rowsPerPage(), values.showsReadings(), values.plainTones, values.words, values.copies, values.fade,
            values.unique}};
    const bool newCharacters = textChanged || cells.commonChineseOnly != laidCells.commonChineseOnly
        || cells.layout.readings != laidCells.layout.readings;
    if (textChanged || cells != laidCells)
        layCells(cells);
    findMissingGlyphs(newCharacters);
}

void CopyBook::layCells(const CellInputs &cells)
{
    laidCells = cells;
    // With no row at all the old cells would refer to a grid that no longer exists; laid out for no rows
    // they give one blank page instead of a page count divided by zero rows.
    content.columns = cells.columns;
    content.blankLines = cells.blankLines;
    content.opacity = cells.opacity;
    content.bookType = cells.bookType;
    content.traceType = cells.traceType;
    content.commonChineseOnly = cells.commonChineseOnly;
    content.rebuildCells(cells.layout);
}

void CopyBook::findMissingGlyphs(bool newCharacters)
{
    const QFont font = glyphFont();
    const QString answeredBy = QFontInfo(font).family();
    if (!newCharacters && values.fontName == missingAskedOf && answeredBy == missingAnsweredBy)
        return;
    missingAskedOf = values.fontName;
    missingAnsweredBy = answeredBy;
    missing = charactersLacking(font, content.visibleCharacters());
    drawnInFallback.clear();
    const QFont fallback = fallbackFont();
    // Where the chosen font is the fallback itself, what it lacks stays with Qt's own fallbacks.
    if (missing.isEmpty() || QFontInfo(fallback).family() == answeredBy)
        return;
    drawnInFallback = QSet<uint>(missing.cbegin(), missing.cend());
    for (const uint code : charactersLacking(fallback, missing))
        drawnInFallback.remove(code);
}

CopyBook::GridInputs CopyBook::gridInputs()
{
    GridInputs inputs {
        values.cellSize, values.paper, values.landscape, values.showsPinyin(), values.fourLines, values.zhuyin, 0, 0.0};
    // The stroke-order frames sit above the band, in as many lines as the character with the most strokes
    // needs.
    if (showsStrokeOrder()) {
        const PaperCm paper = paperCm(values.paper, values.landscape);
        const double band = inputs.band ? values.cellSize * PinyinBand::kHeightShare : 0.0;
        const StrokeFrames::Lines lines
            = StrokeFrames::linesAbove(mostStrokes(), columnsFor(paper, squarePitch(values.cellSize, values.zhuyin)),
                values.cellSize, band, paper.height - 2 * kMarginCm);
        inputs.frameLines = lines.count;
        inputs.frameShare = lines.share;
    }
    return inputs;
}

// Counted over the text as typed: a character the layout drops costs at most a line of frames that stays
// empty.
int CopyBook::mostStrokes()
{
    if (strokesOfText < 0)
        strokesOfText = LayoutRules::heaviestUnit(content.text, values.words, values.commonChineseOnly,
            [](uint code) { return StrokeOrder::strokeCount(code); });
    return strokesOfText;
}

void CopyBook::layGrid(const GridInputs &inputs)
{
    laidGrid = inputs;
    pageGrid.clear();
    // Staves take the place of the squares.
    if (inputs.fourLines)
        return;

    const PaperCm paper = paperCm(inputs.paper, inputs.landscape);
    const double cellSize = inputs.cellSize;
    const double availableHeight = paper.height - kMarginCm - kMarginCm;
    const double usableWidth = paper.width - kMarginCm - kMarginCm;
    // The pinyin band sits on top of each row of squares. Without it the band is +0.0, which leaves every
    // sum below exactly the plain sheet's: its row and column counts depend on them to the last bit.
    const double band = inputs.band ? cellSize * PinyinBand::kHeightShare : 0.0;
    // A square and its zhuyin column beside it; without the column, +0.0 again.
    const double pitch = squarePitch(cellSize, inputs.zhuyin);
    const int columns = columnsFor(paper, pitch);
    // The stroke-order frames above the band; without them, +0.0 again.
    const double frameRoom = inputs.frameLines > 0 ? inputs.frameLines * cellSize * inputs.frameShare : 0.0;
    const double above = band + frameRoom;
    const double rowHeight = cellSize + above;
    const int rows
        = isLayable(cellSize) ? static_cast<int>((availableHeight + kRowGapCm) / (rowHeight + kRowGapCm)) : 0;

    double y = (availableHeight - rows * rowHeight - (rows - 1) * kRowGapCm) * 0.5 + kMarginCm + above;
    for (int r = 0; r < rows; ++r) {
        double x = (usableWidth - columns * pitch) * 0.5 + kMarginCm;
        QVector<GridCell> row;
        row.reserve(columns);
        for (int c = 0; c < columns; ++c) {
            row.append({cmToPixels(x, resolution), cmToPixels(y, resolution)});
            x = x + pitch;
        }
        pageGrid.append(row);
        y = (rowHeight + kRowGapCm) + y;
    }
}

QString CopyBook::layoutProblem() const
{
    if (values.fourLines) {
        if (staves.stavesPerPage() > 0 || content.text.trimmed().isEmpty())
            return {};
        return QStringLiteral("a stave of %1 cm is taller than the page has room for between its margins")
            .arg(values.cellSize);
    }
    if (rowsPerPage() > 0 && columnsPerRow() > 0)
        return {};
    // Laid out in a column of its own, the text shows whether it has a character to place.
    CopyBookContent probe = content;
    probe.columns = 1;
    bool laysOut = false;
    probe.forEachCell([&](const CopyBookCell &) {
        laysOut = true;
        return false;
    });
    if (!laysOut)
        return {};
    const PaperCm paper = paperCm(values.paper, values.landscape);
    if (columnsPerRow() == 0 && rowsPerPage() > 0)
        return QStringLiteral("a square of %1 cm%2 is wider than the %3 cm the page has between its margins")
            .arg(values.cellSize)
            .arg(values.zhuyin ? QStringLiteral(" with its zhuyin column") : QString())
            .arg(paper.width - 2 * kMarginCm);
    const QString above = values.showsPinyin() && showsStrokeOrder()
        ? QStringLiteral(" with its pinyin band and stroke-order frames")
        : values.showsPinyin() ? QStringLiteral(" with its pinyin band")
        : showsStrokeOrder()   ? QStringLiteral(" with its stroke-order frames")
                               : QString();
    return QStringLiteral("a row of %1 cm squares%2 is taller than the %3 cm the page has between its margins")
        .arg(values.cellSize)
        .arg(above)
        .arg(paper.height - 2 * kMarginCm);
}

double CopyBook::cellSidePixels() const
{
    return cmToPixels(values.cellSize, resolution);
}

double CopyBook::pinyinBandPixels() const
{
    return values.showsPinyin() ? cellSidePixels() * PinyinBand::kHeightShare : 0.0;
}

double CopyBook::zhuyinColumnPixels() const
{
    return values.zhuyin && !values.fourLines ? cellSidePixels() * ZhuyinColumn::kWidthShare : 0.0;
}

double CopyBook::strokeFramesPixels() const
{
    return laidGrid.frameLines * cellSidePixels() * laidGrid.frameShare;
}

bool CopyBook::showsStrokeOrder() const
{
    return values.strokeOrder && values.isTraceBook() && !values.fourLines;
}

double CopyBook::marginPixels() const
{
    return cmToPixels(kMarginCm, resolution);
}

QSize CopyBook::pageSizePixels() const
{
    return pageSizeAt(values, resolution);
}

QFont CopyBook::glyphFont() const
{
    QFont font;
    font.setFamily(values.fontName);
    font.setPixelSize(glyphPixelSize(resolution * (values.fontSize / kCmPerInch)));
    return font;
}

QFont CopyBook::fallbackFont() const
{
    QFont font = glyphFont();
    font.setFamily(OptionValues().fontName);
    return font;
}

CopyBookPages CopyBook::pages() const
{
    CopyBookPages pages;
    pages.pageGrid = pageGrid;
    pages.cellSide = cellSidePixels();
    pages.pinyinBand = pinyinBandPixels();
    pages.zhuyinColumn = zhuyinColumnPixels();
    pages.zhuyinDrawing = zhuyinDrawing;
    pages.strokeFramesHeight = strokeFramesPixels();
    pages.strokeFrameLines = laidGrid.frameLines;
    pages.strokeFrameSide = cellSidePixels() * laidGrid.frameShare;
    pages.margin = marginPixels();
    pages.resolution = resolution;
    pages.glyphFaces = {glyphFont(), missingAnsweredBy, fallbackFont(), drawnInFallback, values.fitGlyphs};
    pages.options = values;
    pages.content = content;
    pages.fourLines = staves;
    return pages;
}
