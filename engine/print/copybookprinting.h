#pragma once

#include "pageprogress.h"

class QPageLayout;
class QPrinter;
class QString;
struct CopyBookPages;

// Printing draws the pages as the vector PDF does, scaled from page pixels to the printer's own dots
// and never to the paper, so that a 1.5 cm square comes out 1.5 cm wide.
namespace CopyBookPrinting {

// Puts the book's paper, orientation and page count on the printer, for its dialogs to start from.
void preparePrinter(QPrinter *printer, const CopyBookPages &pages);
// Whether the paper the printer is set to holds a whole page; a page larger than it would be cut.
bool paperHoldsPage(const QPrinter &printer, const CopyBookPages &pages);
// A paper as "A5 (148 × 210 mm)", for telling the user what it is.
QString paperName(const QPageLayout &paper);
// The pages of the printer's range (all of them unless a range was chosen), each at true size from the
// paper's top-left corner. False when the printer cannot start, with *error saying so, and on a cancel
// from `progress` (told after each page), which aborts the job.
bool print(QPrinter *printer, const CopyBookPages &pages, const PageProgress &progress, QString *error);

} // namespace CopyBookPrinting
