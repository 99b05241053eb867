#include "cardstamps.h"

#include <QPainter>
#include <QtMath>

void CardStamps::prepare(const QSizeF &cardSize, const QTransform &newToDevice, const CharacterCards::Style &newStyle)
{
    const auto same = [](const CharacterCards::Style &a, const CharacterCards::Style &b) {
        return a.ink == b.ink && a.grid == b.grid && a.gridStyle == b.gridStyle && a.mode == b.mode
            && a.framesNameStrokes == b.framesNameStrokes;
    };
    if (cardSize == size && newToDevice == toDevice && same(newStyle, style))
        return;
    size = cardSize;
    toDevice = newToDevice;
    style = newStyle;
    stamps.clear();
}

void CardStamps::draw(QPainter *painter, const QRectF &area, const CharacterCards::Card &card)
{
    const QRectF device = toDevice.mapRect(area);
    const int stepX = qFloor(device.x() * kSteps + 0.5);
    const int stepY = qFloor(device.y() * kSteps + 0.5);
    const QString key = QStringLiteral("%1 %2 %3 %4 %5")
                            .arg(card.code)
                            .arg(stepX % kSteps)
                            .arg(stepY % kSteps)
                            .arg(card.reading, card.ownWords);
    auto found = stamps.constFind(key);
    if (found == stamps.constEnd()) {
        QImage stamp(QSize(qCeil(device.width()) + 1, qCeil(device.height()) + 1), QImage::Format_ARGB32_Premultiplied);
        stamp.fill(Qt::transparent);
        QPainter onStamp(&stamp);
        onStamp.setRenderHints(painter->renderHints());
        onStamp.translate(double(stepX % kSteps) / kSteps, double(stepY % kSteps) / kSteps);
        onStamp.scale(toDevice.m11(), toDevice.m22());
        CharacterCards::drawCard(&onStamp, QRectF(QPointF(), area.size()), card, style);
        onStamp.end();
        found = stamps.insert(key, stamp);
    }
    painter->save();
    painter->resetTransform();
    painter->drawImage(QPoint(stepX / kSteps, stepY / kSteps), *found);
    painter->restore();
}
