#pragma once

#include <QChar>
#include <QString>

// One placed glyph. The row is absolute, counted over all pages; the page and the row on it follow from
// the rows per page of the current geometry.
struct CopyBookCell
{
    int column = 0;
    int row = 0;
    QChar character;
    double opacity = 1.0;
    // The tone-marked reading shown above the square when pinyin is on; empty otherwise.
    QString pinyin;
    // The low surrogate of a character outside the Basic Multilingual Plane, whose high surrogate is
    // `character`: such a character takes one cell. Null otherwise.
    QChar trailing;
    // A Trace row's model, drawn solid; its copies follow it.
    bool model = false;
    // With cards, a model's words as the teacher typed them in braces after it (春{春天 春风}); empty for
    // the words the card chooses itself.
    QString words;

    // The character as text, one code unit or a surrogate pair.
    QString text() const { return trailing.isNull() ? QString(character) : QString(character) + trailing; }
    uint codePoint() const
    {
        return trailing.isNull() ? character.unicode() : QChar::surrogateToUcs4(character, trailing);
    }
};
