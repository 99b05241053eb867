#include "paperlayout.h"

#include <QPageSize>

QPageLayout paperLayout(const CopyBookOptions::SheetOptions &sheet)
{
    static const QPageSize::PageSizeId papers[]
        = {QPageSize::A4, QPageSize::A5, QPageSize::B5, QPageSize::Letter, QPageSize::A3};
    const int paper = sheet.paper > 0 && sheet.paper < 5 ? sheet.paper : 0;
    return QPageLayout(QPageSize(papers[paper]), sheet.landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
        QMarginsF(0, 0, 0, 0));
}
