#include "strokeorder.h"

#include "strokeordertable.h"

#include <QByteArray>
#include <QPointF>
#include <QPolygonF>
#include <algorithm>
#include <libdeflate.h>
#include <memory>
#include <mutex>

namespace {

// The outlines are drawn on a square of 1024 units with y pointing up, whose baseline stands 900 units
// below the top (Make Me a Hanzi's transform: translate(0, 900) scale(1, -1)).
constexpr double kEmUnits = 1024.0;
constexpr double kBaseline = 900.0;

int indexOf(uint codePoint)
{
    const std::uint32_t *begin = StrokeOrderTable::characters;
    const std::uint32_t *end = begin + StrokeOrderTable::characterCount;
    const std::uint32_t *found = std::lower_bound(begin, end, codePoint);
    return found != end && *found == codePoint ? int(found - begin) : -1;
}

// A chunk that does not inflate is a broken build; its characters then have no outlines to draw.
QByteArray inflateChunk(int number)
{
    using namespace StrokeOrderTable;
    QByteArray bytes(int(chunkSizes[number]), Qt::Uninitialized);
    libdeflate_decompressor *decompressor = libdeflate_alloc_decompressor();
    std::size_t written = 0;
    const std::size_t packedSize = chunkPackedOffsets[number + 1] - chunkPackedOffsets[number];
    const bool ok = decompressor
        && libdeflate_zlib_decompress(decompressor, packed + chunkPackedOffsets[number], packedSize, bytes.data(),
               std::size_t(bytes.size()), &written)
            == LIBDEFLATE_SUCCESS
        && written == chunkSizes[number];
    libdeflate_free_decompressor(decompressor);
    return ok ? bytes : QByteArray();
}

// A chunk of the table, inflated once by whichever thread asks for it first; read-only after that, so
// the export's threads share it without a lock.
struct Chunk
{
    std::once_flag inflated;
    QByteArray bytes;
};

const QByteArray &chunkOf(int index)
{
    static const std::unique_ptr<Chunk[]> chunks(new Chunk[StrokeOrderTable::chunkCount]);
    const int number = index / StrokeOrderTable::charactersPerChunk;
    Chunk &chunk = chunks[number];
    std::call_once(chunk.inflated, [&chunk, number] { chunk.bytes = inflateChunk(number); });
    return chunk.bytes;
}

class PointReader
{
public:
    PointReader(const char *at, const char *end) : at(at), end(end) { }

    QPointF next()
    {
        x += delta();
        y += delta();
        return QPointF(x / kEmUnits, (kBaseline - y) / kEmUnits);
    }

private:
    // A zigzag varint: the sign in the lowest bit.
    int delta()
    {
        unsigned value = 0;
        int shift = 0;
        while (at < end && shift < 28) {
            const auto byte = static_cast<unsigned char>(*at++);
            value |= unsigned(byte & 0x7F) << shift;
            shift += 7;
            if (!(byte & 0x80))
                break;
        }
        return (value & 1) ? -int(value >> 1) - 1 : int(value >> 1);
    }

    const char *at;
    const char *end;
    int x = 0;
    int y = 0;
};

// The outlines run either way round. Turned all one way, strokes that overlap can be filled together as
// one path under the winding rule, without the overlap cancelling out.
QPainterPath clockwise(const QPainterPath &outline)
{
    const QPolygonF polygon = outline.toFillPolygon();
    double twiceArea = 0;
    for (int i = 0; i < polygon.size(); ++i) {
        const QPointF &a = polygon.at(i);
        const QPointF &b = polygon.at((i + 1) % polygon.size());
        twiceArea += a.x() * b.y() - b.x() * a.y();
    }
    // Positive with y pointing down is clockwise on the page.
    QPainterPath turned = twiceArea < 0 ? outline.toReversed() : outline;
    turned.setFillRule(Qt::WindingFill);
    return turned;
}

} // namespace

namespace StrokeOrder {

int strokeCount(uint codePoint)
{
    const int index = indexOf(codePoint);
    return index < 0 ? 0 : StrokeOrderTable::strokeCounts[index];
}

QVector<QPainterPath> strokes(uint codePoint)
{
    using namespace StrokeOrderTable;
    const int index = indexOf(codePoint);
    if (index < 0)
        return {};
    const QByteArray &block = chunkOf(index);
    if (block.isEmpty())
        return {};
    const std::uint32_t pointsStart = chunkPointsStarts[index / charactersPerChunk];
    const char *command = block.constData() + commandOffsets[index];
    const char *commandsEnd = block.constData() + pointsStart;
    PointReader points(block.constData() + pointsStart + pointOffsets[index], block.constData() + block.size());
    QVector<QPainterPath> outlines;
    outlines.reserve(strokeCounts[index]);
    QPainterPath path;
    while (outlines.size() < strokeCounts[index] && command < commandsEnd) {
        switch (static_cast<unsigned char>(*command++)) {
        case MoveTo:
            path.moveTo(points.next());
            break;
        case LineTo:
            path.lineTo(points.next());
            break;
        case QuadTo: {
            const QPointF control = points.next();
            path.quadTo(control, points.next());
            break;
        }
        case CubicTo: {
            const QPointF first = points.next();
            const QPointF second = points.next();
            path.cubicTo(first, second, points.next());
            break;
        }
        case Close:
            path.closeSubpath();
            break;
        default:
            outlines.append(clockwise(path));
            path = QPainterPath();
            break;
        }
    }
    return outlines;
}

} // namespace StrokeOrder
