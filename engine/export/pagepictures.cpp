#include "pagepictures.h"

#include "copybookpages.h"
#ifdef LATTISCRIBE_HAS_SVG
#include "svgpagewriter.h"
#endif

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QSaveFile>

namespace PagePictures {

namespace {

bool isSvg(const QString &fileName)
{
    return fileName.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive);
}

bool writePng(QIODevice *device, const CopyBookPages &pages, int page)
{
    QImage image = pages.renderPage(page);
    // So that a viewer or a word processor takes the picture at its true size.
    const int dotsPerMetre = qRound(pages.resolution / 0.0254);
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    // Encoded in memory first: when the disk fills, Qt's PNG writer gives up in the middle of a
    // libpng error and loses its row buffer, where a failed write of finished bytes loses nothing.
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    return image.save(&buffer, "PNG") && device->write(png) == png.size();
}

} // namespace

bool writesSvg()
{
#ifdef LATTISCRIBE_HAS_SVG
    return true;
#else
    return false;
#endif
}

bool isPicture(const QString &fileName)
{
    return isSvg(fileName) || fileName.endsWith(QLatin1String(".png"), Qt::CaseInsensitive);
}

QStringList fileNames(const QString &fileName, int pageCount)
{
    if (pageCount == 1)
        return {fileName};
    const QString suffix = QFileInfo(fileName).suffix();
    const QString stem = suffix.isEmpty() ? fileName : fileName.chopped(suffix.size() + 1);
    QStringList names;
    for (int page = 1; page <= pageCount; ++page)
        names << QStringLiteral("%1-%2%3").arg(stem).arg(page).arg(suffix.isEmpty() ? QString() : u'.' + suffix);
    return names;
}

bool savePage(const CopyBookPages &pages, int page, const QString &fileName, QString *error)
{
    QSaveFile file(fileName);
    QString reason;
    bool written = file.open(QIODevice::WriteOnly);
    if (written) {
#ifdef LATTISCRIBE_HAS_SVG
        written = isSvg(fileName) ? writeSvgPage(&file, pages, page, &reason) : writePng(&file, pages, page);
#else
        written = !isSvg(fileName) && writePng(&file, pages, page);
        if (isSvg(fileName))
            reason = QStringLiteral("this build of LattiScribe writes no SVG");
#endif
        written = written && file.commit();
        if (!written)
            file.cancelWriting();
    }
    if (!written)
        *error = reason.isEmpty() ? file.errorString() : reason;
    return written;
}

bool saveAll(const CopyBookPages &pages, const QString &fileName, const PageProgress &progress, QString *error)
{
    const int count = pages.pageCount();
    const QStringList names = fileNames(fileName, count);
    for (int page = 0; page < count; ++page) {
        QString reason;
        if (!savePage(pages, page, names.at(page), &reason)) {
            *error = QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(names.at(page)), reason);
            return false;
        }
        if (progress && !progress(page + 1, count)) {
            *error = QStringLiteral("cancelled");
            return false;
        }
    }
    return true;
}

} // namespace PagePictures
