#include "tracerow.h"

#include <QtGlobal>
#include <cmath>

using namespace CopyBookOptions;

namespace {

// The last of fading copies is drawn at this share of the opacity.
constexpr double kFadedTo = 0.25;

// A stored setting can carry any blank-lines count. Negative counts would make rows repeat or run
// backwards, which breaks the ordering the page count relies on, so they count as 0. Very large counts
// only add empty pages and, with a long text, push the rows past what an int holds; a hundred blank rows
// per line is far beyond any practical copybook.
constexpr int kLargestBlankLines = 100;

} // namespace

namespace TraceRow {

int copies(const OptionValues &options, int room)
{
    if (options.copies >= 0)
        return qMin(options.copies, qMax(0, room - 1));
    switch (options.traceType) {
    case TraceType::All:
        return room - 1;
    case TraceType::Half:
        return static_cast<int>(std::ceil((room - 1) * 0.5));
    default:
        return 0;
    }
}

double opacity(const OptionValues &options, int instance, int copies)
{
    if (instance == 0)
        return 1.0;
    if (!options.fade || copies < 2)
        return options.opacity;
    return options.opacity * (1.0 - (1.0 - kFadedTo) * (instance - 1) / (copies - 1));
}

int blankRows(const OptionValues &options)
{
    return qBound(0, options.blankLines, kLargestBlankLines);
}

} // namespace TraceRow
