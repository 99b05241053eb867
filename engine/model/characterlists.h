#pragma once

#include <QString>
#include <QStringList>

// Characters from the national list of standard characters, a level at a time, for a teacher who wants
// "the first 200 characters of level one" without typing them.
namespace CharacterLists {

// The levels, from 1: their names for the renderer ("tgh1") and sizes.
int levelCount();
int levelSize(int level);
QString levelName(int level);

// Positions `from` to `to` of a level (from 1, both included), parted by word boundaries (zero-width
// spaces): each character is read alone, and nothing between them takes a square.
QString charactersOf(int level, int from, int to);

struct Selection
{
    QString characters;
    // Why the list was refused; empty when it was not.
    QString error;
};

// A list as the renderer's --chars names it: "tgh1" for a whole level, "tgh1:1-200" for positions 1 to
// 200 of it.
Selection select(const QString &list);

} // namespace CharacterLists
