#pragma once

// What the drawing tests look for in a page: where something is, and how far two pictures are apart.

#include <QImage>

// The smallest rectangle holding every pixel of `area` for which test(x, y) holds.
template<typename Test> QRect boundsWhere(const QRect &area, Test test)
{
    QRect bounds;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (test(x, y))
                bounds |= QRect(x, y, 1, 1);
        }
    }
    return bounds;
}

// Two pictures of a page compared channel by channel over the first one's area, in levels of 255.
struct Difference
{
    double mean = 0;
    int percentile99 = 0;
    // Channel values more than a quarter of the range apart: a line or a glyph that moved or went.
    qint64 far = 0;
};

inline Difference difference(const QImage &a, const QImage &b)
{
    const QImage left = a.convertToFormat(QImage::Format_RGB32);
    const QImage right = b.convertToFormat(QImage::Format_RGB32).copy(left.rect());
    qint64 counts[256] = {};
    for (int y = 0; y < left.height(); ++y) {
        const QRgb *l = reinterpret_cast<const QRgb *>(left.constScanLine(y));
        const QRgb *r = reinterpret_cast<const QRgb *>(right.constScanLine(y));
        for (int x = 0; x < left.width(); ++x) {
            ++counts[qAbs(qRed(l[x]) - qRed(r[x]))];
            ++counts[qAbs(qGreen(l[x]) - qGreen(r[x]))];
            ++counts[qAbs(qBlue(l[x]) - qBlue(r[x]))];
        }
    }
    const qint64 total = qint64(3) * left.width() * left.height();
    Difference result;
    qint64 sum = 0;
    qint64 below = 0;
    for (int level = 0; level < 256; ++level) {
        sum += level * counts[level];
        result.far += level > 64 ? counts[level] : 0;
        if (below * 100 < total * 99)
            result.percentile99 = level;
        below += counts[level];
    }
    result.mean = total > 0 ? double(sum) / total : 0.0;
    return result;
}
