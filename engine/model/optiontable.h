#pragma once

#include "copybookoptions.h"
#include "optionkinds.h"

#include <QVariant>
#include <QVector>
#include <memory>

class QSettings;

namespace CopyBookOptions {

// Where the window shows an option: the main panel, laid out by hand as it has always been, or one of the
// named groups of the "More Options" section, built from the table.
enum class Section { MainPanel, Layout, PinyinAndStrokes, PaperAndPages };

// One option, declared once: its key in the settings store (the sheet's sit in a group of their own),
// what it holds, the renderer's flag and help, and the window's control. Rows are made with option() and
// named by the builders below, each returning the row for the next.
struct OptionRow
{
    const char *key;
    std::shared_ptr<const OptionKind> kind;
    // The renderer's option ("book-type") and the name of its value ("TYPE"), or none for a switch, which
    // turns the option away from its default. The help of a number or a choice is the start of it,
    // completed with the range or the list and the default.
    const char *flagName = nullptr;
    const char *valueName = nullptr;
    const char *help = nullptr;
    // The window's control, found by this name, and the section it stands in with its label, translated
    // in the window's context.
    const char *controlName = nullptr;
    Section section = Section::MainPanel;
    const char *label = nullptr;

    OptionRow flag(const char *name, const char *value, const char *text = nullptr) const;
    OptionRow mainPanel(const char *control) const;
    OptionRow inSection(Section where, const char *control, const char *text) const;

    template<typename Kind> const Kind *kindAs() const { return dynamic_cast<const Kind *>(kind.get()); }
};

template<typename Kind> OptionRow option(const char *key, Kind kind)
{
    return {key, std::make_shared<const Kind>(std::move(kind))};
}

const QVector<OptionRow> &optionTable();
const OptionRow *findOption(const QString &key);

// The option's value in `values`: a bool, a double, an int (a choice's number), a QString or a QColor.
QVariant valueOf(const OptionValues &values, const OptionRow &row);
// Sets the option from a stored value, held to what its control allows: a number outside its range is
// brought into it, anything else no control could produce goes back to the default. A choice off its list
// is kept where its row says so, unless `keepUnknownChoices` is false (a worksheet's).
void setFromStored(OptionValues *values, const OptionRow &row, const QVariant &stored, bool keepUnknownChoices = true);

// Reads every option from the store (a key that is missing keeps the value held), and writes them all.
void loadOptions(const QSettings &store, OptionValues *values);
void saveOptions(QSettings *store, const OptionValues &values);
// Reads a switch of the window's own beside the options, the same way.
bool loadSwitch(const QSettings &store, const QString &key, bool fallback);

} // namespace CopyBookOptions
