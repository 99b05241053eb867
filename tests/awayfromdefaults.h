#pragma once

#include "optiontable.h"

// Every option of the table away from its default, as a control could set it: a switch turned, a size
// of 2.3, a count at its top, the last choice, a colour, a text.
inline CopyBookOptions::OptionValues awayFromDefaults()
{
    using namespace CopyBookOptions;
    using Widget = ControlSpec::Widget;
    OptionValues values;
    for (const OptionRow &row : optionTable()) {
        const ControlSpec control = row.kind->control();
        QVariant away;
        switch (control.widget) {
        case Widget::CheckBox:
            away = !valueOf(OptionValues(), row).toBool();
            break;
        case Widget::DoubleSpinBox:
            away = 2.3;
            break;
        case Widget::SpinBox:
        case Widget::ChoiceBox:
            away = int(control.max);
            break;
        case Widget::Swatch:
            away = QColor(0x123456);
            break;
        case Widget::LineEdit:
        case Widget::FontBox:
            away = QStringLiteral("字");
            break;
        }
        setFromStored(&values, row, away);
    }
    return values;
}
