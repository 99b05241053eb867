#include "layoutjson.h"

#include "copybook.h"

#include <QIODevice>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>

namespace {

// Written in chunks of about this many bytes.
constexpr int kChunkBytes = 1 << 16;

QJsonObject cellObject(const CopyBookCell &cell, bool pinyin)
{
    QJsonObject object {
        {QStringLiteral("column"), cell.column},
        {QStringLiteral("row"), cell.row},
        {QStringLiteral("char"), cell.text()},
        {QStringLiteral("opacity"), cell.opacity},
    };
    if (pinyin)
        object.insert(QStringLiteral("pinyin"), cell.pinyin.normalized(QString::NormalizationForm_C));
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
void appendCell(QByteArray *json, const CopyBookCell &cell, bool pinyin)
{
    const QString character = cell.text();
    const QString reading = pinyin ? cell.pinyin.normalized(QString::NormalizationForm_C) : QString();
    if (!writesPlain(character) || !writesPlain(reading)) {
        *json += QJsonDocument(cellObject(cell, pinyin)).toJson(QJsonDocument::Compact);
        return;
    }
    *json += "{\"char\":\"" + character.toUtf8() + "\",\"column\":" + QByteArray::number(cell.column)
        + ",\"opacity\":" + QByteArray::number(cell.opacity, 'g', QLocale::FloatingPointShortest);
    if (pinyin)
        *json += ",\"pinyin\":\"" + reading.toUtf8() + '"';
    *json += ",\"row\":" + QByteArray::number(cell.row) + '}';
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
    const bool pinyin = book.sheetOptions().showsPinyin();
    QJsonObject layout {
        {QStringLiteral("rowsPerPage"), book.rowsPerPage()},
        {QStringLiteral("columns"), book.columnsPerRow()},
        {QStringLiteral("pages"), book.pageCount()},
        {QStringLiteral("cellSizePx"), book.cellSidePixels()},
        {QStringLiteral("glyphPixelSize"), book.glyphFont().pixelSize()},
        {QStringLiteral("pageGrid"), grid},
        {QStringLiteral("cells"), QJsonArray()},
    };
    if (pinyin)
        layout.insert(QStringLiteral("pinyinBandPx"), book.pinyinBandPixels());
    // Likewise the page's size, which an A4 portrait layout has always left implied.
    if (!book.sheetOptions().isA4Portrait()) {
        layout.insert(QStringLiteral("pageWidthPx"), book.pageSizePixels().width());
        layout.insert(QStringLiteral("pageHeightPx"), book.pageSizePixels().height());
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
        appendCell(&json, cell, pinyin);
        if (json.size() >= kChunkBytes) {
            written = output->write(json) == json.size();
            json.clear();
        }
        return written;
    });
    json += frame.mid(split);
    return written && output->write(json) == json.size();
}
