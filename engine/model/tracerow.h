#pragma once

#include "copybookoptions.h"

// How a Trace book writes each unit of its text (a character, a word, a line of English): the model, then
// its faded copies, then the empty rows after it. The squares and the staves of English both follow
// these rules, so a new way of counting or fading copies reaches both.
namespace TraceRow {

// Faded copies after the model where a row has room for `room` units, the model's included: as many as
// asked and as fit, or else as the trace type gives them (for characters alone exactly the documented
// counts; an unknown trace type gives none).
int copies(const CopyBookOptions::OptionValues &options, int room);

// The opacity of a unit's appearance `instance` in its row (0 is the model, solid) among `copies` copies:
// the book's opacity, or fading along the row from it to a quarter of it.
double opacity(const CopyBookOptions::OptionValues &options, int instance, int copies);

// The empty rows left after each unit of a Trace book and each line of a Copy book.
int blankRows(const CopyBookOptions::OptionValues &options);

} // namespace TraceRow
