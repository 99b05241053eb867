#pragma once

#include <QString>
#include <QVarLengthArray>
#include <QVector>
#include <functional>

// The pieces of a text the layout places whole: a character, or with words on, a word. A run of Han
// characters that the teacher set apart with spaces (a space on one side, a space or the line's end on
// the other) is a word as typed, whatever its length; any other run (pasted prose, between punctuation)
// is cut into the words the readings use, so 春天来了 reads 春天 / 来 / 了. Asked for in order, as the
// layout walks the text, the runs are cut once each. The text must outlive it.
class LayoutUnits
{
public:
    LayoutUnits(const QString &text, bool words);

    struct Unit
    {
        // Where the unit ends in the text, and where each of its characters starts (a surrogate pair is
        // one character).
        int end = 0;
        QVarLengthArray<int, 8> characters;
    };

    // The unit that starts at `at`, which is the end of the unit before it (or 0). A word boundary is a
    // unit without characters: it takes no square.
    Unit unitAt(int at);

private:
    void cutRun(int at);

    const QString &text;
    const bool words;
    // The run last cut, and where its words end.
    int runStart = -1;
    int runEnd = -1;
    QVarLengthArray<int, 16> wordEnds;
};

namespace LayoutRules {

// A zero-width space: where a list of characters parts them, so that each is read alone and, with
// words on, is a word of its own, without a space that a Copy book laying out every character would
// give a square.
constexpr char16_t kWordBoundary = 0x200B;

// Whether a Trace row shows the character at `at`: printable, not white space, and with the filter on
// one of the common Chinese characters.
bool isTraceable(const QString &text, int at, bool commonChineseOnly);
bool isCommonChinese(QChar ch);

// The most that `weight` (of a code point) adds up to over the characters of one unit of the text that a
// Trace row shows; 0 for none. Walks the whole text.
int heaviestUnit(const QString &text, bool words, bool commonChineseOnly, const std::function<int(uint)> &weight);

// What the common-Chinese filter leaves out of a text: the characters a layout without it would show
// (printable, not white space) outside U+4E00 to U+9FFF, each time they occur, and the first `listed`
// different ones in the order of the text.
struct LeftOut
{
    qint64 count = 0;
    QVector<uint> first;
};
LeftOut leftOutByFilter(const QString &text, int listed);

} // namespace LayoutRules
