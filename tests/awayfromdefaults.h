#pragma once

#include "optiontable.h"

#include <type_traits>

// Every option of the table away from its default, as a control could set it: a switch turned, a size
// of 2.3, a count at its top, the last choice, a text, a colour.
inline CopyBookOptions::OptionValues awayFromDefaults()
{
    using namespace CopyBookOptions;
    OptionValues values;
    for (const OptionRow &row : optionTable()) {
        const QVariant value = std::visit(
            [&](const auto &kind) -> QVariant {
                using Kind = std::decay_t<decltype(kind)>;
                if constexpr (std::is_same_v<Kind, Switch>)
                    return !valueOf(OptionValues(), row).toBool();
                if constexpr (std::is_same_v<Kind, Number>)
                    return 2.3;
                if constexpr (std::is_same_v<Kind, Count>)
                    return kind.max;
                if constexpr (std::is_same_v<Kind, ChoiceList>)
                    return kind.choices.size() - 1;
                if constexpr (std::is_same_v<Kind, Colour>)
                    return QColor(0x123456);
                return QStringLiteral("字");
            },
            row.kind);
        setFromStored(&values, row, value);
    }
    return values;
}
