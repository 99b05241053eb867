#include "papers.h"

#include <QCoreApplication>

namespace CopyBookOptions {

const QVector<PaperSize> &papers()
{
    static const QVector<PaperSize> list = {
        {Paper::A4, "a4", QT_TRANSLATE_NOOP("MainWindow", "A4 (210 × 297 mm)"), "210 x 297 mm", 21.0,
            static_cast<double>(29.7f), QPageSize::A4, "iso_a4_210x297mm"},
        {Paper::A5, "a5", QT_TRANSLATE_NOOP("MainWindow", "A5 (148 × 210 mm)"), "148 x 210 mm", 14.8, 21.0,
            QPageSize::A5, "iso_a5_148x210mm"},
        {Paper::B5, "b5", QT_TRANSLATE_NOOP("MainWindow", "B5 (176 × 250 mm)"), "ISO, 176 x 250 mm", 17.6, 25.0,
            QPageSize::B5, "iso_b5_176x250mm"},
        {Paper::Letter, "letter", QT_TRANSLATE_NOOP("MainWindow", "Letter (8.5 × 11 in)"), "8.5 x 11 in", 21.59, 27.94,
            QPageSize::Letter, "na_letter_8.5x11in"},
        {Paper::A3, "a3", QT_TRANSLATE_NOOP("MainWindow", "A3 (297 × 420 mm)"), "297 x 420 mm", 29.7, 42.0,
            QPageSize::A3, "iso_a3_297x420mm"},
    };
    return list;
}

const PaperSize &paperSize(Paper paper)
{
    const int index = static_cast<int>(paper);
    return papers().at(index > 0 && index < papers().size() ? index : 0);
}

} // namespace CopyBookOptions
