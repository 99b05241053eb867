// Draws the program's images: the four 18 x 18 check-box indicators of the stylesheet, and the
// application icon at the sizes the desktop and Windows want.

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QtEndian>
#include <cstdio>

namespace {

constexpr int kIndicatorSide = 18;

// Drawn premultiplied and brought to straight alpha here, in integers: Qt's own conversion (used when
// drawing onto a straight-alpha image) takes an approximate reciprocal on SSE4.1 whose low bits differ
// between processor makers, and the committed images must come out the same on every machine.
QImage blankImage(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

QImage straightAlpha(const QImage &premultiplied)
{
    QImage image(premultiplied.size(), QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        const auto *in = reinterpret_cast<const QRgb *>(premultiplied.constScanLine(y));
        auto *out = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int alpha = qAlpha(in[x]);
            const auto channel = [alpha](int c) { return alpha == 0 ? 0 : qMin(255, (c * 255 + alpha / 2) / alpha); };
            out[x] = qRgba(channel(qRed(in[x])), channel(qGreen(in[x])), channel(qBlue(in[x])), alpha);
        }
    }
    return image;
}

QImage indicator(const QColor &color, bool checked)
{
    QImage image = blankImage(kIndicatorSide, kIndicatorSide);
    const int last = kIndicatorSide - 1;
    QColor ring = color;
    ring.setAlpha(128);
    for (int i = 0; i <= last; ++i) {
        for (const QPoint &p : {QPoint(i, 0), QPoint(i, last), QPoint(0, i), QPoint(last, i)})
            image.setPixelColor(p, color);
    }
    for (int i = 1; i < last; ++i) {
        for (const QPoint &p : {QPoint(i, 1), QPoint(i, last - 1), QPoint(1, i), QPoint(last - 1, i)})
            image.setPixelColor(p, ring);
    }
    if (checked) {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(color, 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPolyline(QPolygonF(QVector<QPointF> {{4.5, 9.0}, {7.5, 12.0}, {13.5, 5.5}}));
    } else {
        QColor softened = color;
        softened.setAlpha(96);
        for (const QPoint &corner : {QPoint(0, 0), QPoint(last, 0), QPoint(0, last), QPoint(last, last)})
            image.setPixelColor(corner, softened);
    }
    return straightAlpha(image);
}

// A practice square: white paper, red outline and dotted cross, one black brush stroke.
QImage icon(int side)
{
    QImage image = blankImage(side, side);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const double unit = side / 16.0;
    const QRectF paper(unit * 0.5, unit * 0.5, side - unit, side - unit);
    painter.setPen(QPen(QColor(0xC0, 0x10, 0x10), qMax(1.0, unit * 0.6)));
    painter.setBrush(QColor(0xFF, 0xFB, 0xF2));
    painter.drawRoundedRect(paper, unit, unit);
    QPen dotted(QColor(0xE0, 0x50, 0x50), qMax(1.0, unit * 0.3), Qt::DashLine);
    painter.setPen(dotted);
    painter.drawLine(
        QPointF(paper.left() + unit, paper.center().y()), QPointF(paper.right() - unit, paper.center().y()));
    painter.drawLine(
        QPointF(paper.center().x(), paper.top() + unit), QPointF(paper.center().x(), paper.bottom() - unit));

    QPainterPath stroke;
    stroke.moveTo(unit * 4.0, unit * 6.0);
    stroke.cubicTo(unit * 7.0, unit * 5.2, unit * 10.0, unit * 5.0, unit * 12.5, unit * 5.4);
    stroke.moveTo(unit * 8.6, unit * 3.2);
    stroke.cubicTo(unit * 8.4, unit * 7.0, unit * 8.0, unit * 10.5, unit * 5.0, unit * 13.0);
    stroke.moveTo(unit * 8.4, unit * 8.5);
    stroke.cubicTo(unit * 9.6, unit * 10.0, unit * 11.0, unit * 11.5, unit * 12.8, unit * 12.6);
    painter.setPen(QPen(QColor(0x20, 0x20, 0x20), unit * 1.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(stroke);
    painter.end();
    return straightAlpha(image);
}

QByteArray pngBytes(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// An icon group file with PNG-compressed 32-bit entries, largest first.
QByteArray icoBytes(const QVector<int> &sides)
{
    QByteArray header(6 + 16 * sides.size(), '\0');
    auto *raw = reinterpret_cast<uchar *>(header.data());
    qToLittleEndian<quint16>(1, raw + 2);
    qToLittleEndian<quint16>(static_cast<quint16>(sides.size()), raw + 4);
    QByteArray payload;
    for (int i = 0; i < sides.size(); ++i) {
        const QByteArray png = pngBytes(icon(sides[i]));
        uchar *entry = raw + 6 + 16 * i;
        entry[0] = static_cast<uchar>(sides[i] % 256);
        entry[1] = static_cast<uchar>(sides[i] % 256);
        qToLittleEndian<quint16>(1, entry + 4);
        qToLittleEndian<quint16>(32, entry + 6);
        qToLittleEndian<quint32>(static_cast<quint32>(png.size()), entry + 8);
        qToLittleEndian<quint32>(static_cast<quint32>(header.size() + payload.size()), entry + 12);
        payload += png;
    }
    return header + payload;
}

bool write(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "cannot write %s\n", qUtf8Printable(path));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: lattiscribe-imagegen RESOURCES_DIR\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    const struct
    {
        const char *name;
        QColor color;
        bool checked;
    } indicators[] = {
        {"checkbox_checked_hover", QColor(0x12, 0x96, 0xDB), true},
        {"checkbox_checked_normal", QColor(0x0D, 0x8E, 0xD3), true},
        {"checkbox_unchecked_hover", QColor(0x12, 0x96, 0xDB), false},
        {"checkbox_unchecked_normal", QColor(0xCD, 0xCD, 0xCD), false},
    };
    bool ok = true;
    for (const auto &entry : indicators) {
        const QString path = out.filePath(QStringLiteral("images/imags/%1.png").arg(QLatin1String(entry.name)));
        ok = write(path, pngBytes(indicator(entry.color, entry.checked))) && ok;
    }
    for (const int side : {16, 32, 48, 128, 256})
        ok = write(out.filePath(QStringLiteral("icons/%1x%1/lattiscribe.png").arg(side)), pngBytes(icon(side))) && ok;
    ok = write(out.filePath(QStringLiteral("lattiscribe.ico")), icoBytes({48, 32, 16})) && ok;
    return ok ? 0 : 1;
}
