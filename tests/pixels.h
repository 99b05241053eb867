#pragma once

// What the drawing tests look for in a page: where something is, and how far two pictures are apart.

#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QRegularExpression>

// How many pixels of `area` test(x, y) holds for.
template<typename Test> int countWhere(const QRect &area, Test test)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x)
            count += test(x, y) ? 1 : 0;
    }
    return count;
}

// The smallest rectangle holding every pixel of `area` for which test(x, y) holds.
template<typename Test> QRect boundsWhere(const QRect &area, Test test)
{
    QRect bounds;
    countWhere(area, [&](int x, int y) { return test(x, y) && !(bounds |= QRect(x, y, 1, 1)).isEmpty(); });
    return bounds;
}

// Two pictures of a page compared channel by channel over the first one's area, in levels of 255; and,
// where asked for, a picture of where they differ (black where equal, brighter the further apart).
struct Difference
{
    double mean = 0;
    int percentile99 = 0;
    // Channel values more than a quarter of the range apart: a line or a glyph that moved or went.
    qint64 far = 0;
};

inline Difference difference(const QImage &a, const QImage &b, QImage *apart = nullptr)
{
    const QImage left = a.convertToFormat(QImage::Format_RGB32);
    const QImage right = b.convertToFormat(QImage::Format_RGB32).copy(left.rect());
    if (apart)
        *apart = QImage(left.size(), QImage::Format_RGB32);
    qint64 counts[256] = {};
    for (int y = 0; y < left.height(); ++y) {
        const QRgb *l = reinterpret_cast<const QRgb *>(left.constScanLine(y));
        const QRgb *r = reinterpret_cast<const QRgb *>(right.constScanLine(y));
        QRgb *out = apart ? reinterpret_cast<QRgb *>(apart->scanLine(y)) : nullptr;
        for (int x = 0; x < left.width(); ++x) {
            const int red = qAbs(qRed(l[x]) - qRed(r[x]));
            const int green = qAbs(qGreen(l[x]) - qGreen(r[x]));
            const int blue = qAbs(qBlue(l[x]) - qBlue(r[x]));
            ++counts[red];
            ++counts[green];
            ++counts[blue];
            if (out)
                out[x] = qRgb(red, green, blue);
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

// Keeps a picture that did not come out as expected beside the test program, with a picture of where
// the two differ, and says where they are.
inline QString keepMismatch(const QImage &actual, const QImage &expected, const QString &name)
{
    const QString stem
        = QDir(QCoreApplication::applicationDirPath())
              .filePath(QStringLiteral("mismatch-%1")
                            .arg(QString(name).replace(
                                QRegularExpression(QStringLiteral("[^A-Za-z0-9_-]+")), QStringLiteral("_"))));
    QImage apart;
    difference(actual, expected, &apart);
    const QString actualFile = stem + QStringLiteral("-actual.png");
    const QString differenceFile = stem + QStringLiteral("-difference.png");
    if (!actual.save(actualFile) || !apart.save(differenceFile))
        return QStringLiteral("the pictures could not be kept at %1").arg(stem);
    return QStringLiteral("drawn: %1, difference: %2").arg(actualFile, differenceFile);
}

// Fails the test unless the two pictures are the same pixel for pixel, keeping them where it says.
#define COMPARE_PICTURES(actual, expected, name)                                                                       \
    do {                                                                                                               \
        const QImage actualPicture = (actual);                                                                         \
        const QImage expectedPicture = (expected);                                                                     \
        if (actualPicture != expectedPicture)                                                                          \
            QFAIL(qPrintable(                                                                                          \
                QStringLiteral("the pictures differ; ") + keepMismatch(actualPicture, expectedPicture, (name))));      \
    } while (false)
