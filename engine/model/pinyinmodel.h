#pragma once

#include <QString>

// Reads a polyphone from the sentence around it: a small model learnt from sentences that people read
// (tools/pinyinmodel/train.py), which weighs the reading the words proposed against the characters
// and the word around it.
namespace PinyinModel {

// What the model sees of one polyphone. Before and after hold the two code units on each side, nearest
// first, with '^' before the line's start and '$' after its end.
struct Context
{
    char16_t polyphone = 0;
    char16_t before[2] = {u'^', u'^'};
    char16_t after[2] = {u'$', u'$'};
    // The reading the words gave, and the word it stands in (none for a character standing alone).
    QString proposal;
    const char16_t *word = nullptr;
    int wordLength = 0;
};

struct Choice
{
    QString reading;
    // The reading's probability against the next likeliest one alone, from 0.5 to 1: a polyphone's
    // rare readings, which the model seldom saw, take no share of its doubt.
    double confidence = 0;
};

// Whether the model reads this character at all.
bool knows(char16_t polyphone);

// The likeliest reading in this context; an empty reading where the model does not know the character.
Choice choose(const Context &context);

} // namespace PinyinModel
