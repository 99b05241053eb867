#pragma once

#include <QImage>
#include <QMap>
#include <QString>

// Reads PDFs back with poppler-utils and qpdf, so the tests judge a file by what real PDF tools see.
namespace PdfTools {

// Whether the tools can run here. A Windows build under Wine can start Linux programs but not read their
// output; there the installed renderer's PDFs are read back by the Windows end-to-end check instead.
bool available();
// A tool's standard output, or an empty string when it fails.
QString run(const QString &program, const QStringList &arguments);
// pdfinfo's "Key: value" lines; empty when pdfinfo rejects the file.
QMap<QString, QString> info(const QString &pdfPath);
// "pdfimages -list": one line per image, "page type width height interpolated x-ppi".
QStringList images(const QString &pdfPath);
// The image embedded on one page (counted from 1), extracted without conversion.
QImage embeddedImage(const QString &pdfPath, int page);
// The page as a reader draws it, at the given resolution.
QImage renderedPage(const QString &pdfPath, int page, int dpi);

} // namespace PdfTools
