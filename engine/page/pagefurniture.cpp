#include "pagefurniture.h"

#include <QFontMetricsF>
#include <QPainter>

namespace {

// Text heights as shares of the margin, which is 1.91 cm: a title of about 0.55 cm, fields and page
// numbers of about 0.35 cm.
constexpr double kTitleShare = 0.28;
constexpr double kFieldShare = 0.18;
// The blank after each field label, in ems of the field font.
constexpr double kNameBlankEms = 7.0;
constexpr double kOtherBlankEms = 5.0;
constexpr double kFieldGapEms = 1.5;

// A Chinese sans, not the glyph font: once FreeType has drawn a face small, Qt draws that face's large
// glyphs a shade differently, and the squares' glyphs must not depend on what else is on the page.
QFont sized(double pixels)
{
    QFont font;
    font.setFamilies({QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Noto Sans CJK SC"),
        QStringLiteral("Source Han Sans SC"), QStringLiteral("Microsoft YaHei"), QStringLiteral("DejaVu Sans")});
    font.setPixelSize(qMax(1, qRound(pixels)));
    return font;
}

// Writes the labels with a line to write on after each, the whole line centred at the given height.
void drawFields(QPainter *painter, const QFont &font, double pageWidth, double centreY, const QStringList &labels)
{
    const QFontMetricsF metrics(font);
    const double em = font.pixelSize();
    double width = 0;
    for (int i = 0; i < labels.size(); ++i)
        width += metrics.horizontalAdvance(labels[i]) + em * (i == 0 ? kNameBlankEms : kOtherBlankEms)
            + (i + 1 < labels.size() ? em * kFieldGapEms : 0);
    double x = (pageWidth - width) * 0.5;
    const double baseline = centreY + (metrics.ascent() - metrics.descent()) * 0.5;
    painter->setFont(font);
    for (int i = 0; i < labels.size(); ++i) {
        painter->drawText(QPointF(x, baseline), labels[i]);
        x += metrics.horizontalAdvance(labels[i]) + em * 0.3;
        const double blank = em * (i == 0 ? kNameBlankEms : kOtherBlankEms) - em * 0.3;
        painter->drawLine(QLineF(x, baseline + metrics.descent() * 0.5, x + blank, baseline + metrics.descent() * 0.5));
        x += blank + em * kFieldGapEms;
    }
}

} // namespace

void PageFurniture::draw(QPainter *painter, const CopyBookOptions::OptionValues &sheet, const QSize &page,
    double margin, int pageIndex, int pageCount)
{
    const bool title = !sheet.title.trimmed().isEmpty();
    if (!title && !sheet.nameFields && !sheet.pageNumbers)
        return;
    painter->save();
    QColor ink = sheet.textColor;
    ink.setAlpha(255);
    painter->setPen(QPen(ink, qMax(1.0, margin / 90.0)));

    // One item in the top margin sits in its middle; two share it, the title above the fields.
    const double titleCentre = sheet.nameFields ? margin * 0.33 : margin * 0.5;
    const double fieldCentre = title ? margin * 0.72 : margin * 0.5;
    if (title) {
        painter->setFont(sized(margin * kTitleShare));
        painter->drawText(QRectF(margin, titleCentre - margin * 0.25, page.width() - 2 * margin, margin * 0.5),
            Qt::AlignCenter, sheet.title.trimmed());
    }
    if (sheet.nameFields)
        drawFields(
            painter, sized(margin * kFieldShare), page.width(), fieldCentre, {tr("Name"), tr("Class"), tr("Date")});
    if (sheet.pageNumbers) {
        painter->setFont(sized(margin * kFieldShare));
        painter->drawText(QRectF(margin, page.height() - margin * 0.75, page.width() - 2 * margin, margin * 0.5),
            Qt::AlignCenter, tr("Page %1 of %2").arg(pageIndex + 1).arg(pageCount));
    }
    painter->restore();
}
