#pragma once

#include "copybookoptions.h"
#include "pageprogress.h"

class QString;
struct CopyBookPages;

// Saves every page to one PDF at fileName, as page images or as the drawing (see PdfExportOptions).
// False when the file cannot be written completely or the export was cancelled; the file at that path
// is then left as it was, and *error (when given) says why.
bool saveCopyBookPdf(const CopyBookPages &pages, const QString &fileName,
    const CopyBookOptions::PdfExportOptions &options, const PageProgress &progress = {}, QString *error = nullptr);
