#include "copybookwidget.h"

#include "pagegeometry.h"

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
    , glyphFont(QStringLiteral("楷体"))
    , gridColor(Qt::red)
    , textColor(Qt::black)
{
    glyphFont.setPixelSize(glyphPixelSize(cellSize * kDefaultGlyphFactor / kCmPerInch * resolution));
    updatePageGeometry();
}

CopyBookWidget::~CopyBookWidget() = default;

void CopyBookWidget::setBookType(int bookType)
{
    content.bookType = bookType;
    content.rebuildCells();
    update();
}

void CopyBookWidget::setTraceType(int traceType)
{
    content.traceType = traceType;
    content.rebuildCells();
    update();
}

void CopyBookWidget::setBlankLines(int blankLines)
{
    content.blankLines = blankLines;
    content.rebuildCells();
    update();
}

void CopyBookWidget::setCommonChineseOnly(bool commonChineseOnly)
{
    content.commonChineseOnly = commonChineseOnly;
    content.rebuildCells();
    update();
}

void CopyBookWidget::setOpacity(double opacity)
{
    content.opacity = opacity;
    content.rebuildCells();
    update();
}

void CopyBookWidget::setContent(const QString &text)
{
    content.text = text;
    content.rebuildCells();
    update();
}

void CopyBookWidget::setCellSize(double size)
{
    cellSize = size;
    updatePageGeometry();
    update();
}

void CopyBookWidget::setFontName(const QString &family)
{
    glyphFont.setFamily(family);
    update();
}

void CopyBookWidget::setFontSize(double size)
{
    setGlyphSizeCm(size);
    update();
}

void CopyBookWidget::setFontNameAndSize(const QString &family, double size)
{
    glyphFont.setFamily(family);
    setGlyphSizeCm(size);
    update();
}

void CopyBookWidget::setGridColor(QColor color)
{
    gridColor = color;
}

void CopyBookWidget::setTextColor(QColor color)
{
    textColor = color;
}

void CopyBookWidget::setGlyphSizeCm(double size)
{
    glyphFont.setPixelSize(glyphPixelSize(resolution * (size / kCmPerInch)));
}

double CopyBookWidget::cellSidePixels() const
{
    return cmToPixels(cellSize, resolution);
}

void CopyBookWidget::updatePageGeometry()
{
    pageGrid.clear();

    const double availableHeight = kPageHeightCm - pageMargins.top - pageMargins.bottom;
    const double usableWidth = kPageWidthCm - pageMargins.left - pageMargins.right;
    const bool layable = cellSize >= kSmallestCellSizeCm && std::isfinite(cellSize);
    const int rows = layable ? static_cast<int>((availableHeight + kRowGapCm) / (cellSize + kRowGapCm)) : 0;
    const int columns = layable ? static_cast<int>(usableWidth / cellSize) : 0;

    double y = (availableHeight - rows * cellSize - (rows - 1) * kRowGapCm) * 0.5 + pageMargins.top;
    for (int r = 0; r < rows; ++r) {
        double x = (usableWidth - columns * cellSize) * 0.5 + pageMargins.left;
        QVector<GridCell> row;
        row.reserve(columns);
        for (int c = 0; c < columns; ++c) {
            row.append({cmToPixels(x, resolution), cmToPixels(y, resolution)});
            x = x + cellSize;
        }
        pageGrid.append(row);
        y = (cellSize + kRowGapCm) + y;
    }

    // With no row at all the old cells would refer to a grid that no longer exists; dropping them gives
    // one blank page instead of a page count divided by zero rows.
    content.columns = pageGrid.isEmpty() ? 0 : pageGrid.first().size();
    content.rebuildCells();
}
