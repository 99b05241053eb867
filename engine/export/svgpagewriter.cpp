#include "svgpagewriter.h"

#include "checkedwritedevice.h"
#include "copybookpages.h"

#include <QCoreApplication>
#include <QPaintEngine>
#include <QPainter>
#include <QSvgGenerator>

namespace {

// Hands everything drawn on to a painter on another device, text as the outlines of its glyphs. An SVG
// names its fonts instead of carrying them, so a reader without the glyph font (a designer's machine, a
// cutting plotter; on Linux no reader knows the family 楷体 at all) would draw the characters in another.
// QPaintEngine's own drawTextItem turns a text into its outlines and paints them through drawPath.
class OutlinedTextEngine : public QPaintEngine
{
public:
    explicit OutlinedTextEngine(QPaintDevice *target)
        // What the SVG generator's own engine does; QPainter falls back on its own for the rest.
        : QPaintEngine(PaintEngineFeatures(AllFeatures)
            & ~(PatternBrush | PerspectiveTransform | ConicalGradientFill | PorterDuff))
        , target(target)
    { }

    bool begin(QPaintDevice *) override { return out.begin(target); }
    bool end() override { return out.end(); }
    Type type() const override { return User; }

    // The SVG generator draws no clip, so none is handed on.
    void updateState(const QPaintEngineState &state) override
    {
        const DirtyFlags dirty = state.state();
        if (dirty & DirtyPen)
            out.setPen(state.pen());
        if (dirty & DirtyBrush)
            out.setBrush(state.brush());
        if (dirty & DirtyBrushOrigin)
            out.setBrushOrigin(state.brushOrigin());
        if (dirty & DirtyTransform)
            out.setTransform(state.transform());
        if (dirty & DirtyOpacity)
            out.setOpacity(state.opacity());
        if (dirty & DirtyFont)
            out.setFont(state.font());
    }

    void drawPath(const QPainterPath &path) override { out.drawPath(path); }
    void drawPolygon(const QPointF *points, int count, PolygonDrawMode mode) override
    {
        if (mode == PolylineMode)
            out.drawPolyline(points, count);
        else
            out.drawPolygon(points, count, mode == WindingMode ? Qt::WindingFill : Qt::OddEvenFill);
    }
    void drawLines(const QLineF *lines, int count) override { out.drawLines(lines, count); }
    void drawRects(const QRectF *rects, int count) override { out.drawRects(rects, count); }
    void drawEllipse(const QRectF &rect) override { out.drawEllipse(rect); }
    void drawPixmap(const QRectF &rect, const QPixmap &pixmap, const QRectF &source) override
    {
        out.drawPixmap(rect, pixmap, source);
    }
    void drawImage(const QRectF &rect, const QImage &image, const QRectF &source, Qt::ImageConversionFlags) override
    {
        out.drawImage(rect, image, source);
    }

private:
    QPaintDevice *target;
    QPainter out;
};

// The SVG generator as a device that paints through OutlinedTextEngine.
class OutlinedTextDevice : public QPaintDevice
{
public:
    explicit OutlinedTextDevice(QSvgGenerator *target) : target(target), engine(target) { }
    QPaintEngine *paintEngine() const override { return &engine; }

protected:
    int metric(PaintDeviceMetric metric) const override
    {
        switch (metric) {
        case PdmWidth:
            return target->width();
        case PdmHeight:
            return target->height();
        case PdmWidthMM:
            return target->widthMM();
        case PdmHeightMM:
            return target->heightMM();
        case PdmNumColors:
            return target->colorCount();
        case PdmDepth:
            return target->depth();
        case PdmDpiX:
            return target->logicalDpiX();
        case PdmDpiY:
            return target->logicalDpiY();
        case PdmPhysicalDpiX:
            return target->physicalDpiX();
        case PdmPhysicalDpiY:
            return target->physicalDpiY();
        case PdmDevicePixelRatio:
            return target->devicePixelRatio();
        case PdmDevicePixelRatioScaled:
            return qRound(target->devicePixelRatioF() * devicePixelRatioFScale());
        }
        return 0;
    }

private:
    QSvgGenerator *target;
    mutable OutlinedTextEngine engine;
};

} // namespace

// The generator ignores short writes, so they are checked on the way to the file.
bool writeSvgPage(QIODevice *device, const CopyBookPages &pages, int page, QString *error)
{
    CheckedWriteDevice checked(device);
    checked.open(QIODevice::WriteOnly);
    const QSize size = pages.pageSize(pages.resolution);
    QSvgGenerator generator;
    generator.setOutputDevice(&checked);
    // With the page's pixels as its units and its resolution, the drawing states its size in millimetres
    // and prints at true size.
    generator.setSize(size);
    generator.setViewBox(QRect(QPoint(), size));
    generator.setResolution(pages.resolution);
    generator.setTitle(QCoreApplication::applicationName());
    OutlinedTextDevice outlined(&generator);
    QPainter painter;
    bool written = painter.begin(&outlined);
    if (written)
        pages.drawPage(&painter, page, GridPen::Mode::PagePens);
    written = painter.end() && written && !checked.hasFailed();
    if (checked.hasFailed())
        *error = checked.failureReason();
    return written;
}
