#pragma once

class QIODevice;
class QString;
struct CopyBookPages;

// Writes one page as an SVG drawing of the page's size in millimetres: what the vector PDF draws, through
// Qt's SVG generator. False on a failed or short write to `device` (open for writing), with *error saying
// why.
bool writeSvgPage(QIODevice *device, const CopyBookPages &pages, int page, QString *error);
