#pragma once

#include "optiontable.h"
#include "overloaded.h"

// Every option of the table away from its default, as a control could set it: a switch turned, a size
// of 2.3, a count at its top, the last choice, a colour, a text.
inline CopyBookOptions::OptionValues awayFromDefaults()
{
    using namespace CopyBookOptions;
    OptionValues values;
    for (const OptionRow &row : optionTable())
        setFromStored(&values, row,
            std::visit(
                Overloaded {[&](const Switch &) { return QVariant(!valueOf(OptionValues(), row).toBool()); },
                    [](const Number &) { return QVariant(2.3); }, [](const Count &kind) { return QVariant(kind.max); },
                    [](const ChoiceList &kind) { return QVariant(kind.choices.size() - 1); },
                    [](const Colour &) { return QVariant(QColor(0x123456)); },
                    [](const Text &) { return QVariant(QStringLiteral("字")); }},
                row.kind));
    return values;
}
