#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

// Readings of Chinese text from the sentence: each clause is cut into the likeliest run of words (pinyin-pro's
// word list, weighed by the words' frequencies), which proposes each character's reading, its commonest
// where it stands alone; a context model learnt from sentences people read then weighs each polyphone's
// proposal against the characters and the word around it (engine/model/pinyinmodel.h). Traditional text
// is read as its simplified equivalent, and Unihan's reading stands in for a character the lists lack,
// beyond the Basic Multilingual Plane too.
namespace PinyinWords {

enum class Tones {
    // 一 and 不 as primary-school books print them in running text: 一个 yí gè, 一天 yì tiān, 不是 bú shì.
    Changed,
    // The tone of the character alone, as the national orthography and a Trace row of one character
    // have them: 一 yī, 不 bù.
    Plain,
};

// Reads a text clause by clause (runs of ideographs) as positions are asked for, holding only the
// clause last read: a walk through the text in order reads each clause once. The text must outlive it.
// Not shared between threads; each walk makes its own.
class Reader
{
public:
    Reader(const QString &text, Tones tones);

    // The tone-marked reading of the code unit at `at`, empty where there is none. A character beyond the
    // Basic Multilingual Plane is read at its first code unit.
    QString readingAt(int at);
    // False where the reading is in doubt: a polyphone the context model is unsure of, or one that it does
    // not know and that no word settled.
    bool isSettled(int at);

private:
    void readClause(int at);

    const QString &text;
    Tones tones;
    int clauseStart = 0;
    int clauseEnd = 0;
    QVector<QString> readings;
    QVector<bool> settled;
};

// pinyin-pro's readings of a polyphone, commonest first; empty for other characters. The review offers
// Unihan's fuller lists (Pinyin::allReadingsOf) instead.
QStringList choicesOf(QChar ch);

// The words the readings cut the ideographs text[start, end) into, as their lengths in order; a character
// standing outside any word is a word of one.
QVector<int> segments(const QString &text, int start, int end);

// Every code unit's reading, for a whole text at once.
QVector<QString> readingsOf(const QString &text, Tones tones);

} // namespace PinyinWords
