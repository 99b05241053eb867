#pragma once

#include <QFont>
#include <QPainterPath>
#include <QSizeF>
#include <QVector>

class QColor;
class QPainter;
class QRectF;
class QString;

// A syllable's zhuyin in the narrow column to the right of its square, as Taiwan's schoolbooks print it:
// the symbols from top to bottom, each centred in a third of the column, the mark of the 2nd, 3rd or 4th
// tone beside the last symbol at its upper right, the neutral tone's dot above the first symbol, and no
// mark for the first tone.
class ZhuyinColumn
{
public:
    // The column's width as a share of the square's side, which the symbols and their marks are fitted to.
    static constexpr double kWidthShare = 1.0 / 3.0;

    ZhuyinColumn();

    // The first installed family with every symbol and tone mark, Kai shapes first, as pupils write them.
    static QString family();

    // Draws the zhuyin of a tone-marked syllable (as Pinyin::toneMarked writes it) into the column, fitted
    // to it; a syllable zhuyin does not write (ńg) is drawn in pinyin instead, across the column.
    void draw(QPainter *painter, const QRectF &column, const QString &syllable, const QColor &ink) const;

private:
    void drawSymbols(
        QPainter *painter, const QRectF &column, const QString &symbols, int tone, const QColor &ink) const;
    void drawPinyin(QPainter *painter, const QRectF &column, const QString &syllable, const QColor &ink) const;

    // Outlines at a reference size: the symbols ㄅ to ㄩ, then the marks of tones 2 to 5.
    QVector<QPainterPath> symbolOutlines;
    QVector<QPainterPath> markOutlines;
    // The widest and the tallest symbol's ink, which every symbol is centred in.
    QSizeF symbolBox;
    double widestMark = 0;
    double dotHeight = 0;
    QFont pinyinFont;
};
