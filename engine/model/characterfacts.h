#pragma once

#include <QPointF>
#include <QString>
#include <QStringList>
#include <QVector>

// A word a card offers with a character (组词), with its reading by word.
struct CharacterWord
{
    QString word;
    // One tone-marked syllable per character that has a reading, separated by spaces: "zhǎng dà".
    QString pinyin;
};

// What a primary-school book prints for a new character (生字): its readings, radical, structure, stroke
// count, the names of its strokes in order and a few words with it. Every field the compiled data lacks for
// a character stays empty (0 for the stroke count) rather than being guessed.
struct CharacterFacts
{
    uint code = 0;
    // Tone-marked, commonest first: ["cháng", "zhǎng"].
    QStringList readings;
    // As the character shows it (扌 in 打, 氵 in 河, 月 in 脸), by the 2009 standard's rule.
    QString radical;
    // One of 独体结构, 左右结构, 上下结构, 左中右结构, 上中下结构, 半包围结构, 全包围结构, 品字结构.
    QString structure;
    int strokeCount = 0;
    // The standard names (横, 竖, 横折钩 …), one per stroke of the stroke-order data, or none.
    QStringList strokeNames;
    // Where the brush starts each stroke and which way it sets off, for its number: on the unit square, x to
    // the right and y down, as StrokeOrder::strokes draws the outlines; none without stroke data.
    struct StrokeStart
    {
        QPointF at;
        // A unit vector.
        QPointF heading;
    };
    QVector<StrokeStart> strokeStarts;
    // Two or three common words, the ones of each reading first for a polyphone; none is unfit for a child.
    QVector<CharacterWord> words;

    static CharacterFacts of(uint code);
    // Words as the teacher writes them, each read as a whole (长大 zhǎng dà).
    static QVector<CharacterWord> readWords(const QStringList &words);
    // These facts with the teacher's own words in place of the table's.
    CharacterFacts withOwnWords(const QStringList &ownWords) const;
    // The words a teacher typed in braces after a character, parted by spaces or commas: 春{春天 春风}.
    static QStringList wordsTyped(const QString &typed);

    QString character() const { return QString::fromUcs4(&code, 1); }
};
