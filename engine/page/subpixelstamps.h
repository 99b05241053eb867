#pragma once

#include <QHash>
#include <QImage>
#include <QPainter>
#include <QTransform>
#include <QtMath>

// The small images behind a scaled-down picture of a page: what a square holds, filled once at its size
// on the device for each quarter-pixel offset it meets, then copied into every square that shows it.
// Filling an outline is slow and drawing it small comes out hinted; a copied stamp is neither.
class SubpixelStamps
{
public:
    // Forgets every stamp when the square's side or the scale changed; true when they did.
    bool setGeometry(double newSide, const QTransform &newToDevice)
    {
        if (newSide == side && newToDevice == toDevice)
            return false;
        side = newSide;
        toDevice = newToDevice;
        stamps.clear();
        return true;
    }
    void clear() { stamps.clear(); }
    double squareSide() const { return side; }

    // Copies the stamp of `content` (a key of the caller's, below 2^58) at `square`, in page pixels,
    // with the given opacity; a stamp not made yet is made first by `fill`, which paints the square's
    // contents onto a painter whose square is (0, 0, side, side).
    template<typename Fill>
    void draw(QPainter *painter, const QRectF &square, quint64 content, double opacity, const Fill &fill)
    {
        const QRectF device = toDevice.mapRect(square);
        const int stepX = qFloor(device.x() * kSteps + 0.5);
        const int stepY = qFloor(device.y() * kSteps + 0.5);
        const quint64 key = content << 6 | quint64(stepX % kSteps) << 3 | quint64(stepY % kSteps);
        auto found = stamps.constFind(key);
        if (found == stamps.constEnd())
            found = stamps.insert(key, make(stepX % kSteps, stepY % kSteps, fill));
        painter->save();
        painter->resetTransform();
        painter->setOpacity(opacity);
        painter->drawImage(QPoint(stepX / kSteps, stepY / kSteps), *found);
        painter->restore();
    }

private:
    static constexpr int kSteps = 4;

    template<typename Fill> QImage make(int stepX, int stepY, const Fill &fill) const
    {
        const QSizeF size = toDevice.mapRect(QRectF(0, 0, side, side)).size();
        QImage stamp(QSize(qCeil(size.width()) + 1, qCeil(size.height()) + 1), QImage::Format_ARGB32_Premultiplied);
        stamp.fill(Qt::transparent);
        QPainter painter(&stamp);
        painter.translate(double(stepX) / kSteps, double(stepY) / kSteps);
        painter.scale(toDevice.m11(), toDevice.m22());
        fill(&painter);
        return stamp;
    }

    double side = 0.0;
    QTransform toDevice;
    QHash<quint64, QImage> stamps;
};
