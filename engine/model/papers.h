#pragma once

#include "copybookoptions.h"

#include <QPageSize>

namespace CopyBookOptions {

// One paper a sheet can be laid out on, portrait: how the renderer and the window name it, its size, and
// how Qt and a print system know it.
struct PaperSize
{
    Paper paper;
    const char *name;
    // The window's label, translated in the window's context, and what the renderer's help says of it.
    const char *label;
    const char *help;
    double widthCm;
    double heightCm;
    QPageSize::PageSizeId pageSizeId;
    // The media name of the Internet Printing Protocol.
    const char *media;
};

// Every paper, in the order of Paper.
const QVector<PaperSize> &papers();
// The paper's entry; a number off the list is A4, whose height keeps its single-precision constant to the
// bit: the rows that fit depend on it.
const PaperSize &paperSize(Paper paper);

} // namespace CopyBookOptions
