#include "paperlayout.h"

#include "papers.h"

QPageLayout paperLayout(const CopyBookOptions::OptionValues &sheet)
{
    return QPageLayout(QPageSize(CopyBookOptions::paperSize(sheet.paper).pageSizeId),
        sheet.landscape ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF(0, 0, 0, 0));
}
