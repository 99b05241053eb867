#pragma once

#include <QByteArray>

struct CharacterFacts;

// The facts as one JSON object on one line, without a line end, in this order: char, pinyin (the readings),
// radical, structure, strokeCount, strokeNames and words (each {"word", "pinyin"}). A field the facts lack
// is left out.
QByteArray characterFactsJson(const CharacterFacts &facts);
