#include "layoutjson.h"

#include "copybookwidget.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

QByteArray layoutJson(const CopyBookWidget &book)
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
    QJsonArray cells;
    for (const CopyBookCell &cell : book.contentModel().cells) {
        QJsonObject object {
            {QStringLiteral("column"), cell.column},
            {QStringLiteral("row"), cell.row},
            {QStringLiteral("char"), QString(cell.character)},
            {QStringLiteral("opacity"), cell.opacity},
        };
        if (pinyin)
            object.insert(QStringLiteral("pinyin"), cell.pinyin.normalized(QString::NormalizationForm_C));
        cells.append(object);
    }

    QJsonObject layout {
        {QStringLiteral("rowsPerPage"), book.rowsPerPage()},
        {QStringLiteral("columns"), book.columnsPerRow()},
        {QStringLiteral("pages"), book.pageCount()},
        {QStringLiteral("cellSizePx"), book.cellSidePixels()},
        {QStringLiteral("glyphPixelSize"), book.currentGlyphFont().pixelSize()},
        {QStringLiteral("pageGrid"), grid},
        {QStringLiteral("cells"), cells},
    };
    if (pinyin)
        layout.insert(QStringLiteral("pinyinBandPx"), book.pinyinBandPixels());
    return QJsonDocument(layout).toJson(QJsonDocument::Compact);
}
