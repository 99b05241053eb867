#include "copybookpages.h"

#include "charactercards.h"
#include "characterfacts.h"
#include "glyphstamps.h"
#include "pagefurniture.h"
#include "pagegeometry.h"
#include "pinyinband.h"
#include "strokeframes.h"
#include "strokeorder.h"
#include "zhuyincolumn.h"

#include <QPainter>
#include <QPainterPath>
#include <QTextOption>
#include <cmath>

using namespace CopyBookOptions;

namespace {

// The outline of a hollow glyph: thick enough to follow at arm's length, thin enough to leave room
// inside the strokes of a small glyph. About a quarter of a millimetre at the default size.
constexpr double kHollowStrokeShare = 1.0 / 48.0;
constexpr double kThinnestHollowStroke = 1.0;

double boundedOpacity(double opacity)
{
    return std::isnan(opacity) ? 1.0 : qBound(0.0, opacity, 1.0);
}

// A page drawn strip by strip goes through its whole drawing once per strip, through a clip; this tells
// what cannot show through it, to be skipped where drawing it would take time.
class ClipReach
{
public:
    explicit ClipReach(QPainter *painter)
        : clipped(painter->hasClipping())
        , toDevice(painter->combinedTransform())
        , reach(clipped ? toDevice.mapRect(painter->clipBoundingRect()) : QRectF())
    { }

    // Whether anything drawn within `area`, or up to `margin` device pixels outside it, may show.
    bool mayShow(const QRectF &area, double margin) const
    {
        return !clipped || reach.intersects(toDevice.mapRect(area).adjusted(-margin, -margin, margin, margin));
    }

private:
    const bool clipped;
    const QTransform toDevice;
    const QRectF reach;
};

} // namespace

QSize CopyBookPages::pageSize(int resolution) const
{
    return PageGeometry::pageSizeAt(options, resolution);
}

int CopyBookPages::pageCount() const
{
    return options.fourLines ? fourLines.pageCount() : content.pageCount();
}

QVector<CopyBookCell> CopyBookPages::cellsOfPage(int page) const
{
    return content.cellsOfPage(page);
}

void CopyBookPages::drawGrid(QPainter *painter, GridPen::Mode mode) const
{
    GridPen pen(painter, options.gridColor, mode);
    const ClipReach clip(painter);
    for (const QVector<GridCell> &row : pageGrid) {
        if (row.isEmpty())
            continue;
        // A line sets pixels up to a pixel and a half beyond its ends (its square cap and rounding).
        const double left = row.first().x;
        const double top = row.first().y - pinyinBand;
        const double right = row.last().x + cellSide + zhuyinColumn;
        if (!clip.mayShow(QRectF(left, top, right - left, cellSide + pinyinBand), 2))
            continue;
        for (int column = 0; column < row.size(); ++column) {
            const GridCell &square = row[column];
            square.draw(pen, cellSide, column == 0, options.gridStyle);
            // The column shares its left side with the square, its right side with the next square.
            if (zhuyinColumn > 0) {
                const double x = square.x + cellSide;
                pen.solid(QLineF(x, square.y, x + zhuyinColumn, square.y));
                pen.solid(QLineF(x + zhuyinColumn, square.y, x + zhuyinColumn, square.y + cellSide));
                pen.solid(QLineF(x, square.y + cellSide, x + zhuyinColumn, square.y + cellSide));
            }
        }
        if (pinyinBand > 0)
            PinyinBand::drawLines(pen, row, cellSide, pinyinBand);
    }
}

bool CopyBookPages::isModel(const CopyBookCell &cell) const
{
    return options.isTraceBook() && cell.model;
}

const GridCell *CopyBookPages::squareOf(const CopyBookCell &cell) const
{
    const int rows = rowsPerPage();
    const int gridRow = rows > 0 ? cell.row % rows : -1;
    if (gridRow < 0 || cell.column < 0 || cell.column >= pageGrid[gridRow].size())
        return nullptr;
    return &pageGrid[gridRow][cell.column];
}

void CopyBookPages::drawGlyphs(QPainter *painter, const QVector<CopyBookCell> &pageCells, GlyphStamps *stamps) const
{
    const int rows = rowsPerPage();
    if (rows == 0)
        return;
    painter->setFont(glyphFaces.chosen);
    const double hollowStroke = qMax(kThinnestHollowStroke, glyphFaces.chosen.pixelSize() * kHollowStrokeShare);
    if (stamps)
        stamps->prepare(glyphFaces, cellSide, painter->transform(), options.textColor, hollowStroke);
    const ClipReach clip(painter);
    // Where each character's ink stands in a square at the origin, for fitted glyphs.
    QHash<uint, QRectF> inks;
    for (const CopyBookCell &cell : pageCells) {
        const GridCell *square = squareOf(cell);
        const bool model = isModel(cell);
        // Write from pinyin keeps a Trace row's model, but not a word's: words from their pinyin are dictation.
        if (!square || (options.pinyinOnly && (!model || options.words)))
            continue;
        const QRectF rect(square->x, square->y, cellSide, cellSide);
        QColor color = options.textColor;
        // The cell's opacity replaces the colour's own alpha rather than multiplying it.
        color.setAlphaF(boundedOpacity(cell.opacity));
        const bool hollow = options.traceStyle == TraceStyle::Hollow && !model;
        // A stamp holds one code unit's glyph; the rare character outside the BMP is drawn as text.
        if (stamps && cell.trailing.isNull()) {
            stamps->draw(painter, rect, cell.character, hollow, color.alphaF());
            continue;
        }
        if (hollow) {
            // Outlining a glyph is slow, and a hollow one stays within its square (give or take a pixel
            // of rounding).
            if (!clip.mayShow(rect, 1))
                continue;
            painter->save();
            painter->setRenderHint(QPainter::Antialiasing);
            painter->setClipRect(rect, Qt::IntersectClip);
            strokeGlyph(painter, glyphFaces.outline(rect, cell.text(), cell.codePoint()), color, hollowStroke);
            painter->restore();
            continue;
        }
        painter->setPen(color);
        drawGlyphText(painter, rect, cell, &inks);
    }
    if (pinyinBand > 0)
        drawPinyin(painter, pageCells);
    if (zhuyinColumn > 0 && zhuyinDrawing)
        drawZhuyin(painter, pageCells);
}

void CopyBookPages::drawGlyphText(
    QPainter *painter, const QRectF &square, const CopyBookCell &cell, QHash<uint, QRectF> *inks) const
{
    const uint code = cell.codePoint();
    const QFont &font = glyphFaces.fontFor(code);
    const bool otherFont = &font != &glyphFaces.chosen;
    if (otherFont)
        painter->setFont(font);
    if (!glyphFaces.fit) {
        painter->drawText(square, cell.text(), QTextOption(Qt::AlignCenter));
    } else {
        auto ink = inks->find(code);
        if (ink == inks->end())
            ink = inks->insert(
                code, glyphOutline(font, QRectF(0, 0, square.width(), square.height()), cell.text()).boundingRect());
        // Drawn from its baseline, unclipped: the square's clip would move with the glyph and cut off
        // what reached past the square before it was fitted.
        painter->save();
        painter->setTransform(glyphFaces.fitting(square, ink->translated(square.topLeft())), true);
        painter->drawText(glyphBaseline(font, square, cell.text()), cell.text());
        painter->restore();
    }
    if (otherFont)
        painter->setFont(glyphFaces.chosen);
}

void CopyBookPages::drawPinyin(QPainter *painter, const QVector<CopyBookCell> &pageCells) const
{
    QColor color = options.textColor;
    color.setAlpha(255);
    const PinyinBand band(pinyinBand);
    painter->setFont(band.font());
    painter->setPen(color);
    const ClipReach clip(painter);
    for (const CopyBookCell &cell : pageCells) {
        const GridCell *square = squareOf(cell);
        // A syllable stays within its band, whose height is a margin to spare.
        if (!cell.pinyin.isEmpty() && square
            && clip.mayShow(QRectF(square->x, square->y - pinyinBand, cellSide, pinyinBand), pinyinBand))
            band.drawSyllable(painter, QPointF(square->x, square->y), cellSide, cell.pinyin);
    }
}

void CopyBookPages::drawZhuyin(QPainter *painter, const QVector<CopyBookCell> &pageCells) const
{
    QColor color = options.textColor;
    color.setAlpha(255);
    const ClipReach clip(painter);
    for (const CopyBookCell &cell : pageCells) {
        const GridCell *square = squareOf(cell);
        const QRectF column = square ? QRectF(square->x + cellSide, square->y, zhuyinColumn, cellSide) : QRectF();
        if (!cell.pinyin.isEmpty() && square && clip.mayShow(column, 1))
            zhuyinDrawing->draw(painter, column, cell.pinyin, color);
    }
}

QVector<QRectF> CopyBookPages::strokeFrames(const QVector<CopyBookCell> &rowModels) const
{
    const GridCell *square = strokeFrameLines > 0 && !rowModels.isEmpty() ? squareOf(rowModels.first()) : nullptr;
    if (!square)
        return {};
    int strokes = 0;
    for (const CopyBookCell &cell : rowModels)
        strokes += StrokeOrder::strokeCount(cell.codePoint());
    const GridCell &rowStart = pageGrid.at(rowModels.first().row % rowsPerPage()).first();
    const int columns = pageGrid.at(rowModels.first().row % rowsPerPage()).size();
    return StrokeFrames::frames(QPointF(rowStart.x, square->y - (pinyinBand + strokeFramesHeight)), columns * cellSide,
        strokeFrameLines, strokeFrameSide, strokes, strokeFramesNamed);
}

QVector<QVector<CopyBookCell>> CopyBookPages::modelsByRow(const QVector<CopyBookCell> &pageCells) const
{
    QVector<QVector<CopyBookCell>> rows;
    for (const CopyBookCell &cell : pageCells) {
        if (!isModel(cell))
            continue;
        if (rows.isEmpty() || rows.last().first().row != cell.row)
            rows.append(QVector<CopyBookCell>());
        rows.last().append(cell);
    }
    return rows;
}

void CopyBookPages::drawStrokeFrames(
    QPainter *painter, const QVector<CopyBookCell> &pageCells, GridPen::Mode mode, GlyphStamps *stamps) const
{
    if (strokeFrameLines <= 0)
        return;
    QColor ink = options.textColor;
    ink.setAlpha(255);
    QColor highlight = options.gridColor;
    highlight.setAlpha(255);
    StrokeFrameStamps *frameStamps = stamps ? &stamps->strokeFrames() : nullptr;
    if (frameStamps)
        frameStamps->prepare(strokeFrameSide, painter->transform(), ink, highlight);
    const ClipReach clip(painter);
    GridPen pen(painter, options.gridColor, mode);
    for (const QVector<CopyBookCell> &models : modelsByRow(pageCells)) {
        const QVector<QRectF> frames = strokeFrames(models);
        QRectF reach;
        for (const QRectF &frame : frames)
            reach |= frame;
        if (frames.isEmpty() || !clip.mayShow(reach, 2))
            continue;
        StrokeFrames::drawSquares(pen, frames, options.gridStyle);
        int first = 0;
        for (const CopyBookCell &cell : models) {
            const uint code = cell.codePoint();
            const int count = StrokeOrder::strokeCount(code);
            // The stamps are of the usual side; the smaller frames of a character of many strokes are drawn.
            if (count > 0 && frameStamps && frames.at(first).width() == strokeFrameSide) {
                for (int stroke = 0; stroke < count; ++stroke)
                    frameStamps->draw(painter, frames.at(first + stroke), code, stroke);
            } else if (count > 0) {
                const QVector<QPainterPath> strokes = StrokeOrder::strokes(code);
                for (int stroke = 0; stroke < count; ++stroke) {
                    if (clip.mayShow(frames.at(first + stroke), 1))
                        StrokeFrames::drawFrame(painter, frames.at(first + stroke), strokes, stroke, ink, highlight);
                }
            }
            if (strokeFramesNamed && count > 0) {
                const QStringList names = CharacterFacts::of(code).strokeNames;
                for (int stroke = 0; stroke < count; ++stroke) {
                    const QRectF &frame = frames.at(first + stroke);
                    if (clip.mayShow(frame.adjusted(0, 0, 0, frame.width() * StrokeFrames::kNameShare), 1))
                        CharacterCards::drawStrokeName(painter, frame, names.value(stroke), ink);
                }
            }
            first += count;
        }
    }
}

void CopyBookPages::drawCards(
    QPainter *painter, const QVector<CopyBookCell> &pageCells, GridPen::Mode mode, GlyphStamps *stamps) const
{
    if (cardsHeight <= 0)
        return;
    const CharacterCards::Style style {
        options.textColor, options.gridColor, options.gridStyle, mode, strokeFramesNamed};
    const ClipReach clip(painter);
    for (const QVector<CopyBookCell> &models : modelsByRow(pageCells)) {
        const GridCell *square = squareOf(models.first());
        if (!square)
            continue;
        const QVector<GridCell> &row = pageGrid.at(models.first().row % rowsPerPage());
        const double top = square->y - (pinyinBand + strokeFramesHeight + cardsHeight);
        const double width = row.last().x + cellSide + zhuyinColumn - row.first().x;
        if (!clip.mayShow(QRectF(row.first().x, top, width, cardsHeight), 2))
            continue;
        QVector<CharacterCards::Card> cards;
        for (const CopyBookCell &cell : models)
            cards.append({cell.codePoint(), cell.pinyin, cell.words});
        CharacterCards::draw(
            painter, QPointF(row.first().x, top), width, cellSide, cards, style, stamps ? &stamps->cards() : nullptr);
    }
}

void CopyBookPages::drawFurniture(QPainter *painter, int page) const
{
    // Where the furniture goes, give or take a few pixels of a glyph's overhang.
    const QSize size = pageSize(resolution);
    const ClipReach clip(painter);
    for (const QRectF &area : PageFurniture::reach(options, size, margin)) {
        if (clip.mayShow(area, 16)) {
            PageFurniture::draw(painter, options, size, margin, page, pageCount());
            return;
        }
    }
}

void CopyBookPages::drawPage(QPainter *painter, int page, GridPen::Mode mode, GlyphStamps *stamps) const
{
    if (options.fourLines) {
        fourLines.drawPage(painter, page, mode, options.gridColor, options.textColor);
        drawFurniture(painter, page);
        return;
    }
    drawGrid(painter, mode);
    drawFurniture(painter, page);
    const QVector<CopyBookCell> pageCells = cellsOfPage(page);
    drawGlyphs(painter, pageCells, stamps);
    drawStrokeFrames(painter, pageCells, mode, stamps);
    drawCards(painter, pageCells, mode, stamps);
}

QImage CopyBookPages::renderGridPage() const
{
    QImage image(pageSize(resolution), QImage::Format_ARGB32);
    QPainter painter(&image);
    painter.fillRect(image.rect(), Qt::white);
    drawGrid(&painter, GridPen::Mode::PagePens);
    return image;
}

void CopyBookPages::renderStripInto(QImage *image, int page, const QRect &strip) const
{
    // The whole page drawn through a clip, not translated into an image of the strip's size: a dotted
    // line cut by the edge of the image starts its dots afresh there, and would come out shifted.
    QPainter painter(image);
    painter.setClipRect(strip);
    painter.fillRect(strip, Qt::white);
    drawPage(&painter, page, GridPen::Mode::PagePens);
}

QImage CopyBookPages::renderPage(int page) const
{
    QImage image(pageSize(resolution), QImage::Format_ARGB32);
    QPainter painter(&image);
    painter.fillRect(image.rect(), Qt::white);
    drawPage(&painter, page, GridPen::Mode::PagePens);
    return image;
}

void CopyBookPages::renderPreviewInto(QImage *image, GlyphStamps *glyphStamps, int page) const
{
    image->fill(Qt::white);
    const QSize size = pageSize(resolution);
    QPainter painter(image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(double(image->width()) / size.width(), double(image->height()) / size.height());
    drawPage(&painter, page, GridPen::Mode::ScaledFills, glyphStamps);
}
