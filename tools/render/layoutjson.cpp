#include "layoutjson.h"

#include "copybook.h"
#include "strokeorder.h"
#include "zhuyin.h"

#include <QIODevice>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QRectF>
#include <QSet>

namespace {

// Written in chunks of about this many bytes.
constexpr int kChunkBytes = 1 << 16;

// The readings a cell's entry gives: none on a plain sheet, whose layout stays as it always was.
struct Readings
{
    bool pinyin = false;
    bool zhuyin = false;
};

QJsonObject cellObject(const CopyBookCell &cell, Readings readings)
{
    QJsonObject object {
        {QStringLiteral("column"), cell.column},
        {QStringLiteral("row"), cell.row},
        {QStringLiteral("char"), cell.text()},
        {QStringLiteral("opacity"), cell.opacity},
    };
    if (readings.pinyin)
        object.insert(QStringLiteral("pinyin"), cell.pinyin.normalized(QString::NormalizationForm_C));
    if (readings.zhuyin)
        object.insert(QStringLiteral("zhuyin"), Zhuyin::written(cell.pinyin));
    return object;
}

// Text that QJsonDocument writes as its UTF-8 between quotes, unescaped.
bool writesPlain(const QString &text)
{
    for (const QChar ch : text) {
        if (ch.unicode() < 0x20 || ch == QLatin1Char('"') || ch == QLatin1Char('\\') || ch.unicode() == 0x7F
            || ch.isSurrogate())
            return false;
    }
    return true;
}

// One cell exactly as QJsonDocument writes it (keys in its order, numbers in its form), without making a
// document per cell, which would cost ten times the time; odd characters are left to QJsonDocument.
void appendCell(QByteArray *json, const CopyBookCell &cell, Readings readings)
{
    const QString character = cell.text();
    const QString reading = readings.pinyin ? cell.pinyin.normalized(QString::NormalizationForm_C) : QString();
    const QString zhuyin = readings.zhuyin ? Zhuyin::written(cell.pinyin) : QString();
    if (!writesPlain(character) || !writesPlain(reading) || !writesPlain(zhuyin)) {
        *json += QJsonDocument(cellObject(cell, readings)).toJson(QJsonDocument::Compact);
        return;
    }
    *json += "{\"char\":\"" + character.toUtf8() + "\",\"column\":" + QByteArray::number(cell.column)
        + ",\"opacity\":" + QByteArray::number(cell.opacity, 'g', QLocale::FloatingPointShortest);
    if (readings.pinyin)
        *json += ",\"pinyin\":\"" + reading.toUtf8() + '"';
    *json += ",\"row\":" + QByteArray::number(cell.row);
    if (readings.zhuyin)
        *json += ",\"zhuyin\":\"" + zhuyin.toUtf8() + '"';
    *json += '}';
}

// One stroke-order frame, keys in QJsonDocument's order.
void appendFrame(QByteArray *json, const QString &character, int stroke, int strokes, int page, const QRectF &frame)
{
    const QByteArray name = writesPlain(character)
        ? '"' + character.toUtf8() + '"'
        : QJsonDocument(QJsonArray {character}).toJson(QJsonDocument::Compact).mid(1).chopped(1);
    *json += "{\"char\":" + name + ",\"page\":" + QByteArray::number(page)
        + ",\"size\":" + QByteArray::number(frame.width(), 'g', QLocale::FloatingPointShortest)
        + ",\"stroke\":" + QByteArray::number(stroke) + ",\"strokes\":" + QByteArray::number(strokes)
        + ",\"x\":" + QByteArray::number(frame.x(), 'g', QLocale::FloatingPointShortest)
        + ",\"y\":" + QByteArray::number(frame.y(), 'g', QLocale::FloatingPointShortest) + '}';
}

// Writes `json` out once it has grown to a chunk.
bool flushChunk(QByteArray *json, QIODevice *output)
{
    if (json->size() < kChunkBytes)
        return true;
    const bool written = output->write(*json) == json->size();
    json->clear();
    return written;
}

} // namespace

bool writeLayoutJson(const CopyBook &book, QIODevice *output)
{
    QJsonArray grid;
    for (const QVector<GridCell> &row : book.grid()) {
        QJsonArray points;
        for (const GridCell &square : row)
            points.append(QJsonArray {square.x, square.y});
        grid.append(points);
    }

    // Pinyin adds its keys only when it is on, so the layout of a plain sheet stays as it always was.
    const Readings readings {book.options().showsPinyin(), book.zhuyinColumnPixels() > 0};
    QJsonObject layout {
        {QStringLiteral("rowsPerPage"), book.rowsPerPage()},
        {QStringLiteral("columns"), book.columnsPerRow()},
        {QStringLiteral("pages"), book.pageCount()},
        {QStringLiteral("cellSizePx"), book.cellSidePixels()},
        {QStringLiteral("glyphPixelSize"), book.glyphFont().pixelSize()},
        {QStringLiteral("pageGrid"), grid},
        {QStringLiteral("cells"), QJsonArray()},
    };
    if (readings.pinyin)
        layout.insert(QStringLiteral("pinyinBandPx"), book.pinyinBandPixels());
    if (readings.zhuyin)
        layout.insert(QStringLiteral("zhuyinColumnPx"), book.zhuyinColumnPixels());
    // Likewise the page's size, which an A4 portrait layout has always left implied.
    if (!book.options().isA4Portrait()) {
        layout.insert(QStringLiteral("pageWidthPx"), book.pageSizePixels().width());
        layout.insert(QStringLiteral("pageHeightPx"), book.pageSizePixels().height());
    }
    // English on four lines: the staves of a page, and every line written on one with its words.
    if (book.options().fourLines) {
        const FourLines &fourLines = book.fourLines();
        QJsonArray tops;
        for (const double top : fourLines.tops())
            tops.append(top);
        QJsonArray lines;
        const int perPage = qMax(1, fourLines.stavesPerPage());
        for (const FourLines::Line &line : fourLines.lines()) {
            QJsonArray words;
            for (const FourLines::Word &word : line.words)
                words.append(QJsonObject {{QStringLiteral("text"), word.text}, {QStringLiteral("x"), word.x},
                    {QStringLiteral("width"), word.width}});
            lines.append(QJsonObject {{QStringLiteral("page"), int(line.stave / perPage)},
                {QStringLiteral("stave"), int(line.stave % perPage)}, {QStringLiteral("opacity"), line.opacity},
                {QStringLiteral("words"), words}});
        }
        layout.insert(QStringLiteral("staveHeightPx"), fourLines.staveHeight());
        layout.insert(QStringLiteral("staveTops"), tops);
        layout.insert(QStringLiteral("staves"), lines);
    }
    // Likewise the characters the chosen font lacks, which only a book that has them lists.
    if (!book.missingGlyphs().isEmpty()) {
        QJsonArray missing;
        for (const uint code : book.missingGlyphs())
            missing.append(QString::fromUcs4(&code, 1));
        layout.insert(QStringLiteral("missingGlyphs"), missing);
    }
    // Stroke order likewise: the frames of every row, and the characters that have none.
    const bool strokeOrder = book.showsStrokeOrder();
    if (strokeOrder) {
        layout.insert(QStringLiteral("strokeFrames"), QJsonArray());
        layout.insert(QStringLiteral("withoutStrokeOrder"), QJsonArray());
    }
    // The document with no cells, which go where its empty list stands.
    const QByteArray frame = QJsonDocument(layout).toJson(QJsonDocument::Compact);
    const QByteArray emptyCells("\"cells\":[]");
    const int split = frame.indexOf(emptyCells) + emptyCells.size() - 1;

    QByteArray json = frame.left(split);
    bool written = true;
    bool first = true;
    book.contentModel().forEachCell([&](const CopyBookCell &cell) {
        if (!first)
            json += ',';
        first = false;
        appendCell(&json, cell, readings);
        written = flushChunk(&json, output);
        return written;
    });
    if (!strokeOrder) {
        json += frame.mid(split);
        return written && output->write(json) == json.size();
    }

    const QByteArray emptyFrames("\"strokeFrames\":[]");
    const int framesSplit = frame.indexOf(emptyFrames) + emptyFrames.size() - 1;
    json += frame.mid(split, framesSplit - split);
    const CopyBookPages pages = book.pages();
    const int rowsPerPage = qMax(1, book.rowsPerPage());
    QJsonArray without;
    QSet<QString> listed;
    first = true;
    // The frames of a row, once its model cells are all in.
    QVector<CopyBookCell> models;
    const auto writeFrames = [&] {
        const QVector<QRectF> frames = pages.strokeFrames(models);
        int next = 0;
        for (const CopyBookCell &cell : models) {
            const QString character = cell.text();
            const int strokes = StrokeOrder::strokeCount(cell.codePoint());
            if (strokes == 0 && !listed.contains(character)) {
                listed.insert(character);
                without.append(character);
            }
            for (int stroke = 0; stroke < strokes && next < frames.size(); ++stroke, ++next) {
                if (!first)
                    json += ',';
                first = false;
                appendFrame(&json, character, stroke + 1, strokes, cell.row / rowsPerPage, frames.at(next));
            }
        }
        models.clear();
        return flushChunk(&json, output);
    };
    book.contentModel().forEachCell([&](const CopyBookCell &cell) {
        if (!cell.model)
            return true;
        if (!models.isEmpty() && models.first().row != cell.row)
            written = writeFrames();
        models.append(cell);
        return written;
    });
    written = written && writeFrames();
    const QByteArray emptyWithout("\"withoutStrokeOrder\":[]");
    QByteArray rest = frame.mid(framesSplit);
    rest.replace(emptyWithout, "\"withoutStrokeOrder\":" + QJsonDocument(without).toJson(QJsonDocument::Compact));
    json += rest;
    return written && output->write(json) == json.size();
}
