#include "copybookwidget.h"

#include "pagegeometry.h"
#include "pinyinband.h"

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

int glyphPixelSize(double pixels)
{
    if (std::isnan(pixels))
        return kSmallestGlyphPixels;
    return static_cast<int>(qBound<double>(kSmallestGlyphPixels, pixels, kLargestGlyphPixels));
}

} // namespace

CopyBookWidget::CopyBookWidget(QWidget *parent)
    : QWidget(parent)
    , pageMargins {kMarginCm, kMarginCm, kMarginCm, kMarginCm}
    , resolution(kResolution)
    , cellSize(1.5)
    , glyphFont(CopyBookOptions::defaultFontName())
    , gridColor(CopyBookOptions::defaultGridColor())
    , textColor(CopyBookOptions::defaultTextColor())
{
    glyphFont.setPixelSize(glyphPixelSize(cellSize * kDefaultGlyphFactor / kCmPerInch * resolution));
    updatePageGeometry();
}

CopyBookWidget::~CopyBookWidget() = default;

void CopyBookWidget::setBookType(int bookType)
{
    content.bookType = bookType;
    content.rebuildCells();
    refreshPreview();
}

void CopyBookWidget::setTraceType(int traceType)
{
    content.traceType = traceType;
    content.rebuildCells();
    refreshPreview();
}

void CopyBookWidget::setBlankLines(int blankLines)
{
    content.blankLines = blankLines;
    content.rebuildCells();
    refreshPreview();
}

void CopyBookWidget::setCommonChineseOnly(bool commonChineseOnly)
{
    content.commonChineseOnly = commonChineseOnly;
    content.rebuildCells();
    refreshPreview();
}

void CopyBookWidget::setOpacity(double opacity)
{
    content.opacity = opacity;
    content.rebuildCells();
    refreshPreview();
}

void CopyBookWidget::setContent(const QString &text)
{
    content.text = text;
    content.rebuildCells();
    refreshPreview();
}

void CopyBookWidget::setCellSize(double size)
{
    cellSize = size;
    updatePageGeometry();
    refreshPreview();
}

void CopyBookWidget::setFontName(const QString &family)
{
    glyphFont.setFamily(family);
    refreshPreview();
}

void CopyBookWidget::setFontSize(double size)
{
    setGlyphSizeCm(size);
    refreshPreview();
}

void CopyBookWidget::setFontNameAndSize(const QString &family, double size)
{
    glyphFont.setFamily(family);
    setGlyphSizeCm(size);
    refreshPreview();
}

// The preview keeps its picture until something changes it, so a new colour must drop that picture
// here: left to the next repaint, it would not show at all.
void CopyBookWidget::setGridColor(QColor color)
{
    gridColor = color;
    refreshPreview();
}

void CopyBookWidget::setTextColor(QColor color)
{
    textColor = color;
    refreshPreview();
}

void CopyBookWidget::setGridStyle(int style)
{
    sheet.gridStyle = style;
    refreshPreview();
}

void CopyBookWidget::setTraceStyle(int style)
{
    sheet.traceStyle = style;
    refreshPreview();
}

void CopyBookWidget::setTitle(const QString &title)
{
    sheet.title = title;
    refreshPreview();
}

void CopyBookWidget::setNameFields(bool on)
{
    sheet.nameFields = on;
    refreshPreview();
}

void CopyBookWidget::setPageNumbers(bool on)
{
    sheet.pageNumbers = on;
    refreshPreview();
}

// The band takes room above every row, so the rows per page follow it.
void CopyBookWidget::setPinyin(bool on)
{
    sheet.pinyin = on;
    relayout();
}

void CopyBookWidget::setPinyinOnly(bool on)
{
    sheet.pinyinOnly = on;
    relayout();
}

void CopyBookWidget::setVectorPdf(bool on)
{
    vectorPdf = on;
}

void CopyBookWidget::setExportJobs(int jobs)
{
    exportJobs = jobs;
}

void CopyBookWidget::relayout()
{
    content.pinyin = sheet.showsPinyin();
    updatePageGeometry();
    refreshPreview();
}

void CopyBookWidget::refreshPreview()
{
    previewCurrent = false;
    update();
}

void CopyBookWidget::setGlyphSizeCm(double size)
{
    glyphFont.setPixelSize(glyphPixelSize(resolution * (size / kCmPerInch)));
}

double CopyBookWidget::cellSidePixels() const
{
    return cmToPixels(cellSize, resolution);
}

double CopyBookWidget::pinyinBandPixels() const
{
    return sheet.showsPinyin() ? cellSidePixels() * PinyinBand::kHeightShare : 0.0;
}

void CopyBookWidget::updatePageGeometry()
{
    pageGrid.clear();

    const double availableHeight = kPageHeightCm - pageMargins.top - pageMargins.bottom;
    const double usableWidth = kPageWidthCm - pageMargins.left - pageMargins.right;
    const bool layable = cellSize >= kSmallestCellSizeCm && std::isfinite(cellSize);
    // The pinyin band sits on top of each row of squares. Without it the band is +0.0, which leaves every
    // sum below exactly the plain sheet's: its row and column counts depend on them to the last bit.
    const double band = sheet.showsPinyin() ? cellSize * PinyinBand::kHeightShare : 0.0;
    const double rowHeight = cellSize + band;
    const int rows = layable ? static_cast<int>((availableHeight + kRowGapCm) / (rowHeight + kRowGapCm)) : 0;
    const int columns = layable ? static_cast<int>(usableWidth / cellSize) : 0;

    double y = (availableHeight - rows * rowHeight - (rows - 1) * kRowGapCm) * 0.5 + pageMargins.top + band;
    for (int r = 0; r < rows; ++r) {
        double x = (usableWidth - columns * cellSize) * 0.5 + pageMargins.left;
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
    content.columns = pageGrid.isEmpty() ? 0 : pageGrid.first().size();
    content.rowsPerPage = pageGrid.size();
    content.rebuildCells();
}
