#pragma once

#include "copybookcell.h"
#include "copybookcontent.h"
#include "copybookoptions.h"
#include "fourlines.h"
#include "glyphfaces.h"
#include "gridcell.h"
#include "gridpen.h"

#include <QColor>
#include <QFont>
#include <QHash>
#include <QImage>
#include <QVector>
#include <memory>

class GlyphStamps;
class QPainter;
class ZhuyinColumn;

using PageGrid = QVector<QVector<GridCell>>;

// Everything needed to draw the pages of a copybook, copied out of the engine. A plain value, cheap to
// copy (its containers are shared), so that export workers draw from it on their own threads whatever
// the window does meanwhile.
struct CopyBookPages
{
    PageGrid pageGrid;
    // In page pixels: the side of a square, the height of the pinyin band above each row (0 for none)
    // and the page margin, inside which the title, the name fields and the page numbers stand.
    double cellSide = 0.0;
    double pinyinBand = 0.0;
    // The width of the zhuyin column right of each square (0 for none), and what draws the zhuyin in it.
    double zhuyinColumn = 0.0;
    std::shared_ptr<const ZhuyinColumn> zhuyinDrawing;
    // The height of the stroke-order frames above the band (0 for none), their lines and a line's height,
    // the side of a frame unless the character's strokes need smaller ones.
    double strokeFramesHeight = 0.0;
    int strokeFrameLines = 0;
    double strokeFrameSide = 0.0;
    // With cards, a strip under each line of frames names its strokes.
    bool strokeFramesNamed = false;
    // The height of the character cards above the frames (0 for none), their gap below included.
    double cardsHeight = 0.0;
    double margin = 0.0;
    int resolution = 300;
    // The glyphs' fonts, with the Kai for the characters the chosen one lacks.
    GlyphFaces glyphFaces;
    // The colours, the sheet's styles and furniture, the paper.
    CopyBookOptions::OptionValues options;
    // The layout, which gives the cells of a page as they are asked for.
    CopyBookContent content;
    // English on four lines, in place of squares and cells.
    FourLines fourLines;

    // The sheet's paper at the given resolution: for A4 portrait 2480 x 3508 pixels at 300 dots per inch.
    QSize pageSize(int resolution) const;

    int rowsPerPage() const { return pageGrid.size(); }
    int pageCount() const;
    QVector<CopyBookCell> cellsOfPage(int page) const;

    // The parts of a page, drawn onto whatever the painter is on: the grid (with the pinyin bands), the
    // glyphs of the given cells, and the title, name fields and page number. For a scaled-down picture
    // the glyphs are stamped from `stamps` instead of drawn (see GlyphStamps).
    void drawGrid(QPainter *painter, GridPen::Mode mode) const;
    void drawGlyphs(QPainter *painter, const QVector<CopyBookCell> &pageCells, GlyphStamps *stamps = nullptr) const;
    void drawFurniture(QPainter *painter, int page) const;
    // The stroke-order frames above the row of a model cell: their squares, then what they hold.
    void drawStrokeFrames(QPainter *painter, const QVector<CopyBookCell> &pageCells, GridPen::Mode mode,
        GlyphStamps *stamps = nullptr) const;
    // The stroke-order frames above a row, in page pixels, for the row's model cells (the model character,
    // or a model word's characters in order): each character's frames after those of the one before it.
    // None without stroke order, and none for a character without stroke data.
    QVector<QRectF> strokeFrames(const QVector<CopyBookCell> &rowModels) const;
    // The cards above the rows of a page's model cells.
    void drawCards(QPainter *painter, const QVector<CopyBookCell> &pageCells, GridPen::Mode mode,
        GlyphStamps *stamps = nullptr) const;
    // The model cells of a page's cells, row by row.
    QVector<QVector<CopyBookCell>> modelsByRow(const QVector<CopyBookCell> &pageCells) const;
    // All of one page, without a background: for a PDF, or over a white image.
    void drawPage(QPainter *painter, int page, GridPen::Mode mode, GlyphStamps *stamps = nullptr) const;

    QImage renderGridPage() const;
    QImage renderPage(int page) const;
    // Renders the rows `strip` of a page into an image of the page size, as renderPage() renders them,
    // leaving every other pixel untouched.
    void renderStripInto(QImage *image, int page, const QRect &strip) const;
    // A page drawn straight into a smaller image, as the whole page smooth-scaled to it would look. The
    // stamps, kept by the caller from one picture to the next, spare outlines already filled.
    void renderPreviewInto(QImage *image, GlyphStamps *glyphStamps, int page = 0) const;

private:
    bool isModel(const CopyBookCell &cell) const;
    // The square a cell of this page stands in, or none for a cell outside the grid.
    const GridCell *squareOf(const CopyBookCell &cell) const;
    void drawPinyin(QPainter *painter, const QVector<CopyBookCell> &pageCells) const;
    void drawZhuyin(QPainter *painter, const QVector<CopyBookCell> &pageCells) const;
    // A solid glyph as text, so that a vector page keeps it as text; fitted, moved to where it fits.
    void drawGlyphText(
        QPainter *painter, const QRectF &square, const CopyBookCell &cell, QHash<uint, QRectF> *inks) const;
};
