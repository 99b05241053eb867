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

    QJsonArray cells;
    for (const CopyBookCell &cell : book.contentModel().cells) {
        cells.append(QJsonObject {
            {QStringLiteral("column"), cell.column},
            {QStringLiteral("row"), cell.row},
            {QStringLiteral("char"), QString(cell.character)},
            {QStringLiteral("opacity"), cell.opacity},
        });
    }

    const QJsonObject layout {
        {QStringLiteral("rowsPerPage"), book.rowsPerPage()},
        {QStringLiteral("columns"), book.columnsPerRow()},
        {QStringLiteral("pages"), book.pageCount()},
        {QStringLiteral("cellSizePx"), book.cellSidePixels()},
        {QStringLiteral("glyphPixelSize"), book.currentGlyphFont().pixelSize()},
        {QStringLiteral("pageGrid"), grid},
        {QStringLiteral("cells"), cells},
    };
    return QJsonDocument(layout).toJson(QJsonDocument::Compact);
}
