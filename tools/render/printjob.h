#pragma once

#include "pageprogress.h"

#include <QString>

struct CopyBookPages;

// A print job from the renderer: every page at true size on the named printer, or on the default one
// for an empty name. False when the job cannot be sent, with *error giving the print system's reason.
// *warning tells of a paper the printer does not offer, on which the pages may come out cut.
bool printCopyBook(
    const CopyBookPages &pages, const QString &printer, const PageProgress &progress, QString *warning, QString *error);
