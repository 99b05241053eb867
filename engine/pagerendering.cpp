#include "copybookwidget.h"
#include "pagegeometry.h"

#include <QPainter>
#include <QTextOption>
#include <algorithm>
#include <cmath>
#include <iterator>

namespace {

// The A4 sides in inches: 21 / 2.54 and 29.7 / 2.54, the height from the single-precision 29.7.
constexpr double kPageWidthInches = 8.26771653543307;
constexpr double kPageHeightInches = 11.692913686196635;

double boundedOpacity(double opacity)
{
    return std::isnan(opacity) ? 1.0 : qBound(0.0, opacity, 1.0);
}

} // namespace

QImage CopyBookWidget::renderGridPage() const
{
    QImage image(qRound(resolution * kPageWidthInches), qRound(resolution * kPageHeightInches), QImage::Format_ARGB32);
    QPainter painter(&image);
    painter.fillRect(image.rect(), Qt::white);
    for (const QVector<GridCell> &row : pageGrid) {
        const double side = cellSidePixels();
        const QColor color = gridColor;
        for (int column = 0; column < row.size(); ++column)
            row[column].draw(&painter, side, color, column == 0);
    }
    return image;
}

int CopyBookWidget::pageCount() const
{
    const int rows = rowsPerPage();
    if (rows == 0 || content.cells.isEmpty())
        return 1;
    return content.cells.last().row / rows + 1;
}

QVector<CopyBookCell> CopyBookWidget::cellsOfPage(int page) const
{
    const qint64 rows = rowsPerPage();
    if (rows == 0)
        return {};
    const qint64 low = page * rows;
    const qint64 high = low + rows;
    // The layout keeps rows non-decreasing along the list, so a page's cells are one contiguous run;
    // searching for it keeps a long export from scanning the whole list once per page.
    const auto &cells = content.cells;
    const auto rowBelow = [](const CopyBookCell &cell, qint64 row) { return cell.row < row; };
    const auto first = std::lower_bound(cells.cbegin(), cells.cend(), low, rowBelow);
    const auto last = std::lower_bound(first, cells.cend(), high, rowBelow);
    QVector<CopyBookCell> result;
    result.reserve(static_cast<int>(last - first));
    std::copy(first, last, std::back_inserter(result));
    return result;
}

void CopyBookWidget::drawGlyphs(QPainter *painter, const QVector<CopyBookCell> &cells) const
{
    const int rows = rowsPerPage();
    if (rows == 0)
        return;
    painter->setFont(glyphFont);
    const double side = cellSidePixels();
    const QTextOption centred(Qt::AlignCenter);
    for (const CopyBookCell &cell : cells) {
        const int gridRow = cell.row % rows;
        if (gridRow < 0 || cell.column < 0 || cell.column >= pageGrid[gridRow].size())
            continue;
        const GridCell &square = pageGrid[gridRow][cell.column];
        QColor color = textColor;
        // The cell's opacity replaces the colour's own alpha rather than multiplying it.
        color.setAlphaF(boundedOpacity(cell.opacity));
        painter->setPen(color);
        painter->drawText(QRectF(square.x, square.y, side, side), QString(cell.character), centred);
    }
}

QImage CopyBookWidget::withGlyphs(QImage image, int page) const
{
    QPainter painter(&image);
    drawGlyphs(&painter, cellsOfPage(page));
    painter.end();
    return image;
}

QImage CopyBookWidget::renderPage(int page) const
{
    return withGlyphs(renderGridPage(), page);
}

QImage CopyBookWidget::renderFirstPage() const
{
    return renderPage(0);
}

QList<QImage> CopyBookWidget::renderAllPages() const
{
    const QImage blank = renderGridPage();
    QList<QImage> pages;
    const int count = pageCount();
    for (int page = 0; page < count; ++page)
        pages.append(withGlyphs(blank.copy(), page));
    return pages;
}

void CopyBookWidget::paintEvent(QPaintEvent *)
{
    if (width() <= 0 || height() <= 0)
        return;
    const QImage scaled = renderFirstPage().scaled(size(), Qt::KeepAspectRatio, Qt::SmoothTransformation);
    const int x = (width() - scaled.width()) / 2;
    const int y = (height() - scaled.height()) / 2;
    QPainter painter(this);
    painter.drawImage(QRectF(x, y, scaled.width(), scaled.height()), scaled);
}
