#include "charactercards.h"

#include "cardstamps.h"
#include "characterfacts.h"
#include "gridcell.h"
#include "pagefurniture.h"
#include "pinyinband.h"
#include "strokeframes.h"
#include "strokeorder.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace {

// Shares of a square's side: the facts' text, the stroke numbers, the dot where a stroke begins and how
// far before it its number stands, the room between the square and the text and between two cards.
constexpr double kTextShare = 0.19;
constexpr double kNumberShare = 0.13;
constexpr double kDotShare = 0.022;
constexpr double kNumberBeforeShare = 0.085;
constexpr double kTextIndentShare = 0.15;
constexpr double kCardGapShare = 0.25;

// Writes pieces of text one after the other along a baseline, each in its own font, as long as they fit
// the line; a group of pieces that does not fit whole (a word and its reading) is left out with all that
// follows it, and an ellipsis says so.
class TextLine
{
public:
    struct Piece
    {
        QString text;
        QFont font;
    };

    TextLine(QPainter *painter, const QPointF &start, double width)
        : painter(painter), x(start.x()), baseline(start.y()), right(start.x() + width)
    { }

    void write(const QVector<Piece> &group)
    {
        if (full)
            return;
        double advance = 0.0;
        for (const Piece &piece : group)
            advance += QFontMetricsF(piece.font).horizontalAdvance(piece.text);
        if (x + advance > right) {
            full = true;
            const QString more = QStringLiteral("…");
            const QFont &font = group.constFirst().font;
            if (x + QFontMetricsF(font).horizontalAdvance(more) <= right) {
                painter->setFont(font);
                painter->drawText(QPointF(x, baseline), more);
            }
            return;
        }
        for (const Piece &piece : group) {
            painter->setFont(piece.font);
            painter->drawText(QPointF(x, baseline), piece.text);
            x += QFontMetricsF(piece.font).horizontalAdvance(piece.text);
        }
    }

private:
    QPainter *painter;
    double x;
    double baseline;
    double right;
    bool full = false;
};

// The number `label` centred on `centre`, ringed in white so that it reads over the strokes: the white
// written a hair's breadth around it first, then the number, all from the glyph cache.
void drawNumber(QPainter *painter, const QPointF &centre, const QString &label, const QFont &font, const QColor &ink)
{
    const QFontMetricsF metrics(font);
    const QPointF at = centre - metrics.tightBoundingRect(label).center();
    const double ring = font.pixelSize() * 0.12;
    painter->setFont(font);
    painter->setPen(Qt::white);
    for (const QPointF &offset : {QPointF(-ring, 0), QPointF(ring, 0), QPointF(0, -ring), QPointF(0, ring)})
        painter->drawText(at + offset, label);
    painter->setPen(ink);
    painter->drawText(at, label);
}

} // namespace

int CharacterCards::linesAbove(int characters, int columns)
{
    if (characters <= 0 || columns <= 0)
        return 0;
    const int perLine = qMax(1, static_cast<int>(columns / kWidthInSquares));
    return (characters + perLine - 1) / perLine;
}

double CharacterCards::heightShare(int lines)
{
    return lines > 0 ? lines + kGapShare : 0.0;
}

void CharacterCards::draw(QPainter *painter, const QPointF &topLeft, double width, double side,
    const QVector<Card> &cards, const Style &style, CardStamps *stamps)
{
    const int perLine = qMax(1, static_cast<int>(width / (side * kWidthInSquares)));
    // Alone on its line a card takes the whole width, which gives its words room.
    const double cardWidth = cards.size() <= 1 ? width : width / qMin(perLine, int(cards.size()));
    for (int at = 0; at < cards.size(); ++at) {
        const QRectF area(topLeft.x() + (at % perLine) * cardWidth, topLeft.y() + (at / perLine) * side,
            cardWidth - (cards.size() > 1 ? side * kCardGapShare : 0.0), side);
        if (stamps) {
            stamps->prepare(area.size(), painter->transform(), style);
            stamps->draw(painter, area, cards.at(at));
        } else {
            drawCard(painter, area, cards.at(at), style);
        }
    }
}

void CharacterCards::drawCard(QPainter *painter, const QRectF &area, const Card &card, const Style &style)
{
    const double side = area.height();
    CharacterFacts facts = CharacterFacts::of(card.code);
    drawDemonstration(painter, QRectF(area.topLeft(), QSizeF(side, side)), facts, style);
    if (!card.ownWords.trimmed().isEmpty())
        facts = facts.withOwnWords(CharacterFacts::wordsTyped(card.ownWords));
    const double textPixels = side * kTextShare;
    const QFont chinese = PageFurniture::textFont(textPixels);
    const QFont letters = PinyinBand::letters(qRound(textPixels * 1.1));
    const double left = area.x() + side * (1.0 + kTextIndentShare);
    const double width = area.right() - left;
    const double lineHeight = side / 3.0;
    // Each line's baseline a little below the middle of its third of the card.
    const auto baselineOf = [&](int line) { return area.y() + lineHeight * (line + 0.72); };
    QColor ink = style.ink;
    ink.setAlpha(255);
    painter->save();
    painter->setPen(ink);

    TextLine facts1(painter, QPointF(left, baselineOf(0)), width);
    const QString reading = card.reading.isEmpty() ? facts.readings.value(0) : card.reading;
    if (!reading.isEmpty())
        facts1.write({{reading + QStringLiteral("  "), letters}});
    facts1.write({{factsLine(facts), chinese}});

    TextLine words(painter, QPointF(left, baselineOf(1)), width);
    for (const CharacterWord &word : facts.words)
        words.write({{word.word + QLatin1Char(' '), chinese}, {word.pinyin + QStringLiteral("   "), letters}});

    if (!style.framesNameStrokes && !facts.strokeNames.isEmpty()) {
        TextLine names(painter, QPointF(left, baselineOf(2)), width);
        names.write({{tr("Strokes: %1").arg(facts.strokeNames.constFirst()), chinese}});
        for (int stroke = 1; stroke < facts.strokeNames.size(); ++stroke)
            names.write({{QLatin1Char(' ') + facts.strokeNames.at(stroke), chinese}});
    }
    painter->restore();
}

QString CharacterCards::factsLine(const CharacterFacts &facts)
{
    QStringList said;
    if (!facts.radical.isEmpty())
        said << tr("Radical %1").arg(facts.radical);
    if (!facts.structure.isEmpty())
        said << facts.structure;
    if (facts.strokeCount > 0)
        said << tr("%n stroke(s)", nullptr, facts.strokeCount);
    return said.join(QStringLiteral(" · "));
}

void CharacterCards::drawDemonstration(
    QPainter *painter, const QRectF &square, const CharacterFacts &facts, const Style &style)
{
    GridPen pen(painter, style.grid, style.mode);
    GridCell {square.x(), square.y()}.draw(pen, square.width(), true, style.gridStyle);
    drawCharacter(painter, square, facts, style);
}

void CharacterCards::drawCharacter(
    QPainter *painter, const QRectF &square, const CharacterFacts &facts, const Style &style)
{
    const double side = square.width();
    const QVector<QPainterPath> strokes = StrokeOrder::strokes(facts.code);
    QColor ink = style.ink;
    ink.setAlpha(255);
    QColor mark = style.grid;
    mark.setAlpha(255);
    const QRectF area = StrokeFrames::strokeArea(square);
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(Qt::NoPen);
    if (strokes.isEmpty()) {
        // Without stroke data the character is written in the sans, with no numbers to give.
        painter->setPen(ink);
        painter->setFont(PageFurniture::textFont(side * 0.7));
        painter->drawText(square, Qt::AlignCenter, facts.character());
        painter->restore();
        return;
    }
    QPainterPath whole;
    whole.setFillRule(Qt::WindingFill);
    const QTransform onSquare = QTransform::fromTranslate(area.x(), area.y()).scale(area.width(), area.height());
    for (const QPainterPath &stroke : strokes)
        whole.addPath(onSquare.map(stroke));
    painter->fillPath(whole, ink);
    // Digits of a face nothing else on the page writes in: a thread's fonts outline a face a shade
    // differently once it has drawn it at other sizes, and the strips of a page image must agree.
    QFont numbers(QStringLiteral("DejaVu Sans"));
    numbers.setPixelSize(qMax(1, qRound(side * kNumberShare)));
    numbers.setBold(true);
    for (int stroke = 0; stroke < facts.strokeStarts.size(); ++stroke) {
        const QPointF at = onSquare.map(facts.strokeStarts.at(stroke).at);
        const QPointF way = facts.strokeStarts.at(stroke).heading;
        painter->setBrush(mark);
        painter->drawEllipse(at, side * kDotShare, side * kDotShare);
        // Just before where the pen comes down, so that the number does not sit on the stroke it names.
        QPointF place = at - way * (side * kNumberBeforeShare);
        place.setX(qBound(square.left() + side * 0.06, place.x(), square.right() - side * 0.06));
        place.setY(qBound(square.top() + side * 0.06, place.y(), square.bottom() - side * 0.06));
        drawNumber(painter, place, QString::number(stroke + 1), numbers, mark);
    }
    painter->restore();
}

void CharacterCards::drawStrokeName(QPainter *painter, const QRectF &frame, const QString &name, const QColor &ink)
{
    if (name.isEmpty())
        return;
    const double strip = frame.width() * StrokeFrames::kNameShare;
    const double pixels = qMin(strip * 0.75, frame.width() * 0.92 / name.size());
    QColor opaque = ink;
    opaque.setAlpha(255);
    painter->save();
    painter->setPen(opaque);
    painter->setFont(PageFurniture::textFont(pixels));
    painter->drawText(QRectF(frame.x(), frame.bottom(), frame.width(), strip), Qt::AlignCenter, name);
    painter->restore();
}
