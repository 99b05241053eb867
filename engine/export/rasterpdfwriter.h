#pragma once

#include "pageprogress.h"

#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>
#include <functional>

class QIODevice;

// Draws the rows `strip` of page `page` (counted from 0) into `image`, an ARGB32 image of the page size,
// overwriting every pixel of the strip, which must come out opaque. A page is drawn in a few strips, top to
// bottom, each into an image of its own made over the worker's memory, in which only the strip's rows are
// backed by memory of their own: the callback must leave every pixel outside the strip alone and must not
// keep the image. Called from several worker threads at once, so it must be safe to run on any thread.
using PageRenderer = std::function<void(int page, QImage *image, const QRect &strip)>;

struct RasterPdfSettings
{
    QSize pageSize; // in pixels
    int resolution = 300; // pixels per inch
    QString creator; // the document's Creator entry
    int jobs = 0; // worker threads; 0 or less takes QThread::idealThreadCount()
};

// Writes a PDF of pageCount pages, each one lossless image of the page size, to `device` (open for
// writing). Every write to the device is checked, so the device should be unbuffered: a buffered file
// would report a full disk only at a later flush.
//
// Returns false on a cancel from `progress` (which may be empty and is called on the calling thread), on
// a write to the device that fails or comes back short, and when a page cannot be made; in the last two
// cases *error (if given) says why, after a cancel it is empty. No worker thread outlives the call.
bool writeRasterPdf(QIODevice *device, int pageCount, const PageRenderer &render, const RasterPdfSettings &settings,
    const PageProgress &progress, QString *error = nullptr);
