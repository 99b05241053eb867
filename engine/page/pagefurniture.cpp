#include "pagefurniture.h"

#include "pagegeometry.h"

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
// The ruler's line and its ticks, in centimetres.
constexpr int kRulerCm = 5;
constexpr double kRulerLineCm = 0.025;
constexpr double kRulerTickCm = 0.25;

QFont sized(double pixels)
{
    return PageFurniture::textFont(pixels);
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

// A line of `centimetres` with a tick at each centimetre, starting at `left` on `baseline`. The end ticks
// stand inside the line's flat ends, so that the ink measures the length whole, as a ruler laid on it
// reads it.
void drawRuler(QPainter *painter, double left, double baseline, double pixelsPerCm, int centimetres)
{
    const double width = pixelsPerCm * kRulerLineCm;
    QPen pen = painter->pen();
    pen.setWidthF(width);
    pen.setCapStyle(Qt::FlatCap);
    painter->setPen(pen);
    const double right = left + centimetres * pixelsPerCm;
    painter->drawLine(QLineF(left, baseline, right, baseline));
    for (int cm = 0; cm <= centimetres; ++cm) {
        const double x = qBound(left + width * 0.5, left + cm * pixelsPerCm, right - width * 0.5);
        painter->drawLine(QLineF(x, baseline + width * 0.5, x, baseline - pixelsPerCm * kRulerTickCm));
    }
}

} // namespace

QFont PageFurniture::textFont(double pixels)
{
    QFont font;
    font.setFamilies({QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Noto Sans CJK SC"),
        QStringLiteral("Source Han Sans SC"), QStringLiteral("Microsoft YaHei"), QStringLiteral("DejaVu Sans")});
    font.setPixelSize(qMax(1, qRound(pixels)));
    return font;
}

QVector<QRectF> PageFurniture::reach(const CopyBookOptions::OptionValues &sheet, const QSize &page, double margin)
{
    QVector<QRectF> areas;
    // The title and the name fields in the top margin, the page number and the ruler in the bottom one.
    if (!sheet.title.trimmed().isEmpty() || sheet.nameFields)
        areas.append(QRectF(0, 0, page.width(), margin));
    if (sheet.pageNumbers || sheet.ruler)
        areas.append(QRectF(0, page.height() - margin, page.width(), margin));
    return areas;
}

void PageFurniture::draw(QPainter *painter, const CopyBookOptions::OptionValues &sheet, const QSize &page,
    double margin, int pageIndex, int pageCount)
{
    if (reach(sheet, page, margin).isEmpty())
        return;
    const bool title = !sheet.title.trimmed().isEmpty();
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
    // The bottom margin's middle holds the page number, centred, and the ruler at its left, which moves
    // the page number to the right: on narrow paper the two would meet.
    const double footCentre = page.height() - margin * 0.5;
    if (sheet.pageNumbers) {
        painter->setFont(sized(margin * kFieldShare));
        painter->drawText(QRectF(margin, footCentre - margin * 0.25, page.width() - 2 * margin, margin * 0.5),
            sheet.ruler ? Qt::AlignRight | Qt::AlignVCenter : Qt::AlignCenter,
            tr("Page %1 of %2").arg(pageIndex + 1).arg(pageCount));
    }
    if (sheet.ruler) {
        // The margin is the same length at any resolution, so it gives the page's pixels per centimetre.
        const double pixelsPerCm = margin / PageGeometry::kMarginCm;
        const double baseline = footCentre + pixelsPerCm * kRulerTickCm * 0.5;
        const QFont font = sized(margin * kFieldShare);
        painter->setFont(font);
        painter->drawText(
            QPointF(margin + kRulerCm * pixelsPerCm + font.pixelSize() * 0.5, baseline), tr("%1 cm").arg(kRulerCm));
        drawRuler(painter, margin, baseline, pixelsPerCm, kRulerCm);
    }
    painter->restore();
}
