#pragma once

#include "pageprogress.h"

#include <QStringList>

struct CopyBookPages;

// The pages as pictures, one file each: a PNG is the page image at the book's resolution (300 dpi), an
// SVG the drawing itself, as the vector PDF draws it. The suffix of the name says which.
namespace PagePictures {

// Whether this build writes SVG: Qt's SVG module is optional, and the Windows build has none.
bool writesSvg();
bool isPicture(const QString &fileName);
// The files every page goes to: "name-1.png", "name-2.png", … beside `fileName`, or `fileName` itself for
// a single page.
QStringList fileNames(const QString &fileName, int pageCount);
// One page into `fileName`, written beside it and replacing it only when complete. False with *error
// saying why.
bool savePage(const CopyBookPages &pages, int page, const QString &fileName, QString *error);
// Every page into its file of fileNames(), told to `progress` after each; stops at the first that fails
// (or at a cancel) with the pages before it written, and none half-written.
bool saveAll(const CopyBookPages &pages, const QString &fileName, const PageProgress &progress, QString *error);

} // namespace PagePictures
