#pragma once

#include "copybookoptions.h"
#include "gridpen.h"

#include <QColor>
#include <QCoreApplication>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QVector>

class CardStamps;
class QPainter;
struct CharacterFacts;

// A character's card (生字卡), heading its row in a Trace book as a primary-school book prints one for each
// new character: a square with the character drawn from its stroke outlines, each stroke numbered where
// it begins; its pinyin, radical, structure and number of strokes; the names of its strokes where no
// stroke-order frames stand to name them under; and words with it, each with its reading. A word's row is
// headed by its characters' cards side by side, on as many lines as they need.
class CharacterCards
{
    Q_DECLARE_TR_FUNCTIONS(CharacterCards)

public:
    // A card is as high as a square and as wide as this many; a gap sets the cards off from what is below.
    static constexpr double kWidthInSquares = 5.0;
    static constexpr double kGapShare = 0.1;

    // The lines of cards above every row of `columns` squares whose longest unit has `characters`
    // characters; none for none.
    static int linesAbove(int characters, int columns);
    // Their height with the gap below them, as a share of the square's side.
    static double heightShare(int lines);

    struct Card
    {
        uint code = 0;
        // The reading the character has in its place (or its override); the card's own where empty.
        QString reading;
        // The teacher's words for it, as typed in braces; the card's own where empty.
        QString ownWords;
    };
    struct Style
    {
        QColor ink;
        QColor grid;
        CopyBookOptions::GridStyle gridStyle = CopyBookOptions::GridStyle::Tian;
        GridPen::Mode mode = GridPen::Mode::PagePens;
        // The stroke-order frames below name the strokes, so the card does not.
        bool framesNameStrokes = false;
    };

    // The cards of a row, from `topLeft` across `width`, each `side` high, one line under another; for a
    // scaled-down picture, stamped from `stamps` instead of drawn.
    static void draw(QPainter *painter, const QPointF &topLeft, double width, double side, const QVector<Card> &cards,
        const Style &style, CardStamps *stamps = nullptr);
    // One card in `area`.
    static void drawCard(QPainter *painter, const QRectF &area, const Card &card, const Style &style);
    // The facts a card writes after the reading: "部首 扌 · 左右结构 · 5画", each as far as the data has it.
    static QString factsLine(const CharacterFacts &facts);
    // A stroke's name in the strip under its stroke-order frame.
    static void drawStrokeName(QPainter *painter, const QRectF &frame, const QString &name, const QColor &ink);

private:
    // The square, then the character in it with its strokes numbered.
    static void drawDemonstration(
        QPainter *painter, const QRectF &square, const CharacterFacts &facts, const Style &style);
    static void drawCharacter(QPainter *painter, const QRectF &square, const CharacterFacts &facts, const Style &style);
};
