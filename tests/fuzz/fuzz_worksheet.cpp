// Any worksheet file: what is read holds only values a control could produce, and saved and read again it
// gives the same text and options; saved once more, the same bytes.
#include "optiontable.h"
#include "worksheet.h"

#include <cstdlib>

namespace {

bool sameOptions(const CopyBookOptions::OptionValues &one, const CopyBookOptions::OptionValues &other)
{
    for (const CopyBookOptions::OptionRow &row : CopyBookOptions::optionTable()) {
        if (valueOf(one, row) != valueOf(other, row))
            return false;
    }
    return true;
}

// Every number and count within its range and every choice on its list, as the window's controls hold them.
bool withinControls(const CopyBookOptions::OptionValues &values)
{
    using namespace CopyBookOptions;
    using Widget = ControlSpec::Widget;
    for (const OptionRow &row : optionTable()) {
        const ControlSpec control = row.kind->control();
        const double value = valueOf(values, row).toDouble();
        const bool ranged = control.widget == Widget::DoubleSpinBox || control.widget == Widget::SpinBox
            || control.widget == Widget::ChoiceBox;
        if (ranged && !(value >= control.min && value <= control.max))
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const WorksheetReading read
        = WorksheetReading::fromJson(QByteArray(reinterpret_cast<const char *>(data), int(size)));
    if (read.problem != WorksheetReading::Problem::None) {
        if (read.reason.isEmpty())
            std::abort();
        return 0;
    }
    if (!withinControls(read.sheet.options))
        std::abort();
    const QByteArray saved = read.sheet.toJson();
    const WorksheetReading again = WorksheetReading::fromJson(saved);
    if (again.problem != WorksheetReading::Problem::None || again.sheet.text != read.sheet.text
        || !sameOptions(again.sheet.options, read.sheet.options) || again.sheet.toJson() != saved)
        std::abort();
    return 0;
}
