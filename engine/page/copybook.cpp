#include "copybook.h"

#include "charactercards.h"
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

CopyBook::CopyBook() : resolution(kResolution)
{
    // No cell size gives this key, so the first update lays the grid and the cells.
    std::get<0>(laidGrid) = -1.0;
    update(true);
}

void CopyBook::setOptions(const OptionValues &options)
{
    if (options.commonChineseOnly != values.commonChineseOnly || options.words != values.words)
        strokesOfText = longestUnit = -1;
    values = options;
    update(false);
}

void CopyBook::setText(const QString &text)
{
    bookText = text;
    strokesOfText = longestUnit = -1;
    update(true);
}

void CopyBook::update(bool textChanged)
{
    const int cards = cardLinesFor();
    const StrokeFrames::Lines frames = frameLines(cards);
    if (const GridKey grid = gridKey(frames, cards); grid != laidGrid) {
        laidGrid = grid;
        laidFrames = frames;
        layGrid();
    }
    // Its outlines are made once, and shared with the pages drawn on other threads.
    if (values.zhuyin && !zhuyinDrawing)
        zhuyinDrawing = std::make_shared<const ZhuyinColumn>();
    // Written in the letters of a font, the staves' lines are laid out again whole when anything they are
    // made from changes; there are few of them.
    if (const StaveKey stave = staveKey(); textChanged || stave != laidStaves) {
        laidStaves = stave;
        staves = values.fourLines ? FourLines::layOut(bookText, values, pageSizePixels(), resolution) : FourLines();
    }
    const RowGeometry rows {columnsPerRow(), rowsPerPage()};
    // With no row at all the old cells would refer to a grid that no longer exists; laid out for no rows
    // they give one blank page instead of a page count divided by zero rows.
    if (const CopyBookContent::Key cells = CopyBookContent::keyOf(values, rows); textChanged || cells != laidCells) {
        laidCells = cells;
        content.layOut(bookText, values, rows);
    }
    findMissingGlyphs(textChanged);
}

void CopyBook::findMissingGlyphs(bool textChanged)
{
    const QFont font = glyphFont();
    const GlyphKey key {values.fontName, QFontInfo(font).family(), values.commonChineseOnly, values.showsReadings()};
    if (!textChanged && key == checkedGlyphs)
        return;
    checkedGlyphs = key;
    missing = charactersLacking(font, content.visibleCharacters());
    drawnInFallback.clear();
    const QFont fallback = fallbackFont();
    // Where the chosen font is the fallback itself, what it lacks stays with Qt's own fallbacks.
    if (missing.isEmpty() || QFontInfo(fallback).family() == std::get<1>(key))
        return;
    drawnInFallback = QSet<uint>(missing.cbegin(), missing.cend());
    for (const uint code : charactersLacking(fallback, missing))
        drawnInFallback.remove(code);
}

CopyBook::GridKey CopyBook::gridKey(const StrokeFrames::Lines &frames, int cards) const
{
    return {values.cellSize, values.paper, values.landscape, values.showsPinyin(), values.fourLines, values.zhuyin,
        frames.count, frames.pitch(), cards};
}

int CopyBook::cardLinesFor()
{
    if (!values.showsCards())
        return 0;
    if (longestUnit < 0)
        longestUnit
            = LayoutRules::heaviestUnit(bookText, values.words, values.commonChineseOnly, [](uint) { return 1; });
    const PaperCm paper = paperCm(values.paper, values.landscape);
    return CharacterCards::linesAbove(longestUnit, columnsFor(paper, squarePitch(values.cellSize, values.zhuyin)));
}

CopyBook::StaveKey CopyBook::staveKey() const
{
    return {values.cellSize, values.paper, values.landscape, values.fourLines, values.bookType, values.traceType,
        values.copies, values.blankLines, values.fade, values.opacity};
}

// The stroke-order frames sit above the band, under the cards, in as many lines as the character with the
// most strokes needs; with cards they name the strokes too.
StrokeFrames::Lines CopyBook::frameLines(int cards)
{
    if (!showsStrokeOrder())
        return {0, 0.0};
    const PaperCm paper = paperCm(values.paper, values.landscape);
    const double band = values.showsPinyin() ? values.cellSize * PinyinBand::kHeightShare : 0.0;
    return StrokeFrames::linesAbove(mostStrokes(), columnsFor(paper, squarePitch(values.cellSize, values.zhuyin)),
        values.cellSize, band + values.cellSize * CharacterCards::heightShare(cards), paper.height - 2 * kMarginCm,
        cards > 0);
}

// Counted over the text as typed: a character the layout drops costs at most a line of frames that stays
// empty.
int CopyBook::mostStrokes()
{
    if (strokesOfText < 0)
        strokesOfText = LayoutRules::heaviestUnit(
            bookText, values.words, values.commonChineseOnly, [](uint code) { return StrokeOrder::strokeCount(code); });
    return strokesOfText;
}

void CopyBook::layGrid()
{
    pageGrid.clear();
    // Staves take the place of the squares.
    if (values.fourLines)
        return;

    const PaperCm paper = paperCm(values.paper, values.landscape);
    const double cellSize = values.cellSize;
    const double availableHeight = paper.height - kMarginCm - kMarginCm;
    const double usableWidth = paper.width - kMarginCm - kMarginCm;
    // The pinyin band sits on top of each row of squares. Without it the band is +0.0, which leaves every
    // sum below exactly the plain sheet's: its row and column counts depend on them to the last bit.
    const double band = values.showsPinyin() ? cellSize * PinyinBand::kHeightShare : 0.0;
    // A square and its zhuyin column beside it; without the column, +0.0 again.
    const double pitch = squarePitch(cellSize, values.zhuyin);
    const int columns = columnsFor(paper, pitch);
    // The stroke-order frames above the band and the cards above them; without them, +0.0 again.
    const double frameRoom = laidFrames.count > 0 ? laidFrames.count * cellSize * laidFrames.pitch() : 0.0;
    const double cardRoom = cardLines() > 0 ? cellSize * CharacterCards::heightShare(cardLines()) : 0.0;
    const double above = band + frameRoom + cardRoom;
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
        if (staves.stavesPerPage() > 0 || bookText.trimmed().isEmpty())
            return {};
        return QStringLiteral("a stave of %1 cm is taller than the page has room for between its margins")
            .arg(values.cellSize);
    }
    if (rowsPerPage() > 0 && columnsPerRow() > 0)
        return {};
    if (!content.placesAnything())
        return {};
    const PaperCm paper = paperCm(values.paper, values.landscape);
    if (columnsPerRow() == 0 && rowsPerPage() > 0)
        return QStringLiteral("a square of %1 cm%2 is wider than the %3 cm the page has between its margins")
            .arg(values.cellSize)
            .arg(values.zhuyin ? QStringLiteral(" with its zhuyin column") : QString())
            .arg(paper.width - 2 * kMarginCm);
    QStringList parts;
    if (values.showsPinyin())
        parts << QStringLiteral("pinyin band");
    if (showsStrokeOrder())
        parts << QStringLiteral("stroke-order frames");
    if (cardLines() > 0)
        parts << QStringLiteral("character cards");
    const QString last = parts.isEmpty() ? QString() : parts.takeLast();
    const QString above = last.isEmpty() ? QString()
        : parts.isEmpty()                ? QStringLiteral(" with its %1").arg(last)
                          : QStringLiteral(" with its %1 and %2").arg(parts.join(QStringLiteral(", ")), last);
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
    return laidFrames.count * cellSidePixels() * laidFrames.pitch();
}

double CopyBook::cardsPixels() const
{
    return cellSidePixels() * CharacterCards::heightShare(cardLines());
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
    pages.strokeFrameLines = laidFrames.count;
    pages.strokeFrameSide = cellSidePixels() * laidFrames.share;
    pages.strokeFramesNamed = laidFrames.named;
    pages.cardsHeight = cardsPixels();
    pages.margin = marginPixels();
    pages.resolution = resolution;
    pages.glyphFaces = {glyphFont(), std::get<1>(checkedGlyphs), fallbackFont(), drawnInFallback, values.fitGlyphs};
    pages.options = values;
    pages.content = content;
    pages.fourLines = staves;
    return pages;
}
