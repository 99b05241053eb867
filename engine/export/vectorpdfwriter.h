#pragma once

#include "pageprogress.h"

class QIODevice;
class QString;
struct CopyBookPages;

// Writes the drawing itself, through a painter on a PDF writer, one page after the other: lines, and
// glyphs as the font's outlines. False on a failed or short write to `device` (open for writing), with
// *error saying why, and on a cancel from `progress`, with *error left as it was.
bool writeVectorPdf(QIODevice *device, const CopyBookPages &pages, const PageProgress &progress, QString *error);
