#include "zhuyincolumn.h"

#include "pinyinband.h"
#include "zhuyin.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPainter>
#include <QRawFont>

namespace {

constexpr char16_t kFirstSymbol = u'ㄅ';
constexpr char16_t kLastSymbol = u'ㄩ';
// The outlines are made at this pixel size and scaled to each column.
constexpr double kReference = 100.0;
// Room between the symbols and the tone mark beside them, and between the dot and the symbol below it,
// in the reference size's pixels.
constexpr double kMarkGap = 8.0;
constexpr double kDotGap = 6.0;
// The share of the column's width, and of a third of its height, that the ink may take.
constexpr double kFill = 0.9;

bool coversZhuyin(const QString &family)
{
    const QRawFont raw = QRawFont::fromFont(QFont(family));
    for (char16_t c = kFirstSymbol; c <= kLastSymbol; ++c) {
        if (!raw.supportsCharacter(QChar(c)))
            return false;
    }
    for (int tone = 2; tone <= 5; ++tone) {
        if (!raw.supportsCharacter(Zhuyin::toneMark(tone).at(0)))
            return false;
    }
    return true;
}

QPainterPath outlineOf(const QFont &font, const QString &text)
{
    QPainterPath path;
    path.addText(0, 0, font, text);
    return path;
}

// Moves the reference outline so that its ink's point `from` lands on `to`, scaled by `scale`.
QPainterPath placed(const QPainterPath &outline, const QPointF &from, const QPointF &to, double scale)
{
    QTransform transform;
    transform.translate(to.x(), to.y());
    transform.scale(scale, scale);
    transform.translate(-from.x(), -from.y());
    return transform.map(outline);
}

} // namespace

ZhuyinColumn::ZhuyinColumn() : pinyinFont(PinyinBand(1.0).font())
{
    QFont font(family());
    font.setPixelSize(static_cast<int>(kReference));
    for (char16_t c = kFirstSymbol; c <= kLastSymbol; ++c) {
        symbolOutlines.append(outlineOf(font, QString(QChar(c))));
        symbolBox = symbolBox.expandedTo(symbolOutlines.last().boundingRect().size());
    }
    for (int tone = 2; tone <= 5; ++tone)
        markOutlines.append(outlineOf(font, Zhuyin::toneMark(tone)));
    for (int tone = 2; tone <= 4; ++tone)
        widestMark = qMax(widestMark, markOutlines.at(tone - 2).boundingRect().width());
    dotHeight = markOutlines.last().boundingRect().height();
    pinyinFont.setPixelSize(static_cast<int>(kReference));
}

QString ZhuyinColumn::family()
{
    // AR PL UKai (fonts-arphic-ukai, which the package depends on) and Windows' DFKai-SB are the Kai
    // shapes of Taiwan's schoolbooks; the others are the Ming and sans fonts Debian or Windows may have.
    static const QString chosen = [] {
        const QStringList installed = QFontDatabase().families();
        for (const char *candidate : {"AR PL UKai TW", "DFKai-SB", "AR PL UMing TW", "WenQuanYi Micro Hei",
                 "Noto Sans CJK TC", "Microsoft JhengHei"}) {
            const QString family = QString::fromLatin1(candidate);
            if (installed.contains(family) && coversZhuyin(family))
                return family;
        }
        return QString();
    }();
    return chosen;
}

void ZhuyinColumn::draw(QPainter *painter, const QRectF &column, const QString &syllable, const QColor &ink) const
{
    const Zhuyin::Spelling spelling = Zhuyin::fromPinyin(syllable);
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    if (spelling.symbols.isEmpty())
        drawPinyin(painter, column, syllable, ink);
    else
        drawSymbols(painter, column, spelling.symbols, spelling.tone, ink);
    painter->restore();
}

void ZhuyinColumn::drawSymbols(
    QPainter *painter, const QRectF &column, const QString &symbols, int tone, const QColor &ink) const
{
    // Every symbol keeps to its third of the column, with room in it for the dot above; every syllable
    // gets the same size, whatever its symbols and tone, so that the columns of a page line up.
    const double third = column.height() / 3.0;
    const double groupWidth = symbolBox.width() + kMarkGap + widestMark;
    const double scale
        = qMin(column.width() * kFill / groupWidth, third * kFill / (symbolBox.height() + 2.0 * (dotHeight + kDotGap)));
    const double left = column.left() + (column.width() - groupWidth * scale) * 0.5;
    const double centreX = left + symbolBox.width() * scale * 0.5;
    const int count = symbols.size();
    const auto centreYOf = [&](int i) { return column.center().y() + (i - (count - 1) * 0.5) * third; };
    for (int i = 0; i < count; ++i) {
        const QPainterPath &outline = symbolOutlines.at(symbols.at(i).unicode() - kFirstSymbol);
        painter->fillPath(placed(outline, outline.boundingRect().center(), QPointF(centreX, centreYOf(i)), scale), ink);
    }
    if (tone < 2 || tone > 5)
        return;
    const QPainterPath &mark = markOutlines.at(tone - 2);
    const QRectF markInk = mark.boundingRect();
    const double halfBox = symbolBox.height() * scale * 0.5;
    if (tone == 5) {
        const QPointF above(centreX, centreYOf(0) - halfBox - kDotGap * scale);
        painter->fillPath(placed(mark, QPointF(markInk.center().x(), markInk.bottom()), above, scale), ink);
    } else {
        const QPointF beside(left + (symbolBox.width() + kMarkGap) * scale, centreYOf(count - 1) - halfBox);
        painter->fillPath(placed(mark, markInk.topLeft(), beside, scale), ink);
    }
}

void ZhuyinColumn::drawPinyin(QPainter *painter, const QRectF &column, const QString &syllable, const QColor &ink) const
{
    // Upright, as pupils read it in the band above the squares: the few syllables zhuyin leaves out (hng,
    // ńg) fit the column's width. No larger than a line of the font across it, so that ń is not a blot.
    const QPainterPath outline = outlineOf(pinyinFont, syllable);
    const QRectF letters = outline.boundingRect();
    if (letters.isEmpty())
        return;
    const double widest = qMax(letters.width(), QFontMetricsF(pinyinFont).height());
    painter->fillPath(placed(outline, letters.center(), column.center(), column.width() * kFill / widest), ink);
}
