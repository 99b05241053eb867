#pragma once

#include <QImage>
#include <QMap>
#include <QString>
#include <QVector>

// Reads PDFs back with poppler-utils, so the tests judge a file by what a real PDF reader sees.
namespace PdfTools {

struct ImageEntry
{
    int page = 0;
    QString type;
    int width = 0;
    int height = 0;
    int xPpi = 0;
};

// pdfinfo's "Key: value" lines; empty when pdfinfo rejects the file.
QMap<QString, QString> info(const QString &pdfPath);
QVector<ImageEntry> images(const QString &pdfPath);
// The image embedded on one page (counted from 1), extracted without conversion.
QImage embeddedImage(const QString &pdfPath, int page);
// The page as a reader draws it, at the given resolution.
QImage renderedPage(const QString &pdfPath, int page, int dpi);

} // namespace PdfTools
