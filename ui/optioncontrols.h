#pragma once

#include "optiontable.h"

#include <functional>

class QObject;
class QWidget;

// The window's controls of the option table, in the shape each option's kind asks for (check box, combo
// of choices, font list, spin box, line edit, colour swatch). The one place that knows how a control
// shows a value, gives it back and says the user changed it, whether the control stands in the main
// panel or in More Options, and whether its value comes from the store at start or from a worksheet.
namespace OptionControls {

// A control of the kind's shape, named as the table names it, neither configured nor given a value.
QWidget *create(const CopyBookOptions::OptionRow &row, QWidget *parent);
// Its items, range and steps.
void configure(QWidget *control, const CopyBookOptions::OptionRow &row);
// Shows the option's value in `values`; a value the control cannot show leaves a combo with no item and a
// spin box at the end of its range. Emits the control's own signals as any change does; callers that
// must not hear them block them.
void show(QWidget *control, const CopyBookOptions::OptionRow &row, const CopyBookOptions::OptionValues &values);
// The value the control shows, as the option's kind takes it.
QVariant valueIn(const QWidget *control, const CopyBookOptions::OptionRow &row);
// Calls `changed` when the user changes the control, never when the program shows a value in it.
void onUserChange(
    QWidget *control, const CopyBookOptions::OptionRow &row, QObject *context, const std::function<void()> &changed);

} // namespace OptionControls
