#pragma once

#include "copybookoptions.h"

#include <QVariant>
#include <QVector>
#include <variant>

class QSettings;

namespace CopyBookOptions {

// One entry of a choice: the name the renderer takes and the window's label (translated in the window's
// context), with what the renderer's help says of it.
struct Choice
{
    const char *name;
    const char *label;
    const char *help = nullptr;
};

// What an option holds, and so how it is read, stored, parsed and shown.
struct Switch
{
    bool OptionValues::*field;
};
// A size or a share in double precision, kept in single precision in the store.
struct Number
{
    double OptionValues::*field;
    double min;
    double max;
};
struct Count
{
    int OptionValues::*field;
    int min;
    int max;
    // One below the range stands for "not set", which the store keeps and the window offers; the
    // renderer's flag sets a number in the range.
    bool optional = false;
};
struct Text
{
    QString OptionValues::*field;
};
struct Colour
{
    QColor OptionValues::*field;
};
// One of a list; its value is its place in the list. The field is an enum, reached through these two.
struct ChoiceList
{
    int (*get)(const OptionValues &values);
    void (*set)(OptionValues *values, int value);
    QVector<Choice> choices;
    // A stored number off the list is kept as it is (its combo then shows no item and the engine lays it
    // out its own way) instead of going back to the default.
    bool keepsUnknown = false;

    ChoiceList keepingUnknown() const
    {
        ChoiceList kept = *this;
        kept.keepsUnknown = true;
        return kept;
    }
};

template<auto Field> ChoiceList choiceOf(QVector<Choice> choices)
{
    return {[](const OptionValues &values) { return static_cast<int>(values.*Field); },
        [](OptionValues *values, int value) {
            values->*Field = static_cast<std::remove_reference_t<decltype(values->*Field)>>(value);
        },
        std::move(choices)};
}

using OptionKind = std::variant<Switch, Number, Count, Text, Colour, ChoiceList>;

// Where the window shows an option: the main panel, laid out by hand as it has always been, or one of the
// named groups of the "More Options" section, built from the table.
enum class Section { MainPanel, Layout, PinyinAndStrokes, PaperAndPages };

// One option, declared once: its key in the settings store (the sheet's sit in a group of their own),
// what it holds, the renderer's flag and help, and the window's control. Rows are made with option() and
// named by the builders below, each returning the row for the next.
struct OptionRow
{
    const char *key;
    OptionKind kind;
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

    bool isChoice() const { return std::holds_alternative<ChoiceList>(kind); }
};

inline OptionRow option(const char *key, OptionKind kind)
{
    return {key, std::move(kind)};
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
