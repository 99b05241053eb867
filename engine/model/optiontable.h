#pragma once

#include "copybookoptions.h"

#include <QColor>
#include <QString>
#include <QVector>
#include <variant>

class QSettings;

namespace CopyBookOptions {

// Every option a copybook is made with and that outlives a run: the ten of the main panel and the
// sheet's. The member initialisers are the defaults, for the engine, the settings store, the renderer
// and the window alike.
struct OptionValues : SheetOptions
{
    int bookType = kDefaultBookType;
    int traceType = kDefaultTraceType;
    int blankLines = kDefaultBlankLines;
    float cellSize = kDefaultCellSize;
    float fontSize = kDefaultFontSize;
    float opacity = kDefaultOpacity;
    QString fontName = defaultFontName();
    bool commonChineseOnly = kDefaultCommonChineseOnly;
    QColor gridColor = defaultGridColor();
    QColor textColor = defaultTextColor();
    bool vectorPdf = false;

    const SheetOptions &sheet() const { return *this; }
};

// One entry of a choice: the name the renderer takes and the window's label (translated in the
// window's context), with what the renderer's help says of it.
struct Choice
{
    const char *name;
    const char *label;
    const char *help = nullptr;
};

using OptionField = std::variant<bool OptionValues::*, int OptionValues::*, float OptionValues::*,
    QString OptionValues::*, QColor OptionValues::*>;

// One option, declared once: where it is stored, what it holds and what values are valid, and how the
// renderer and the window name it. The value of a choice is its place in the list.
struct OptionRow
{
    // The key in the settings store; the sheet's options sit in a group of their own.
    const char *key;
    OptionField field;
    // The renderer's option ("book-type"), or none. A switch turns the option away from its default.
    const char *flag = nullptr;
    const char *valueName = nullptr;
    // The renderer's help: for a number or a choice the start of it, completed with the range or the
    // list and the default.
    const char *help = nullptr;
    double min = 0.0;
    double max = 0.0;
    QVector<Choice> choices = {};
    // A stored number off the list is kept as it is (its combo then shows no item and the engine lays
    // it out its own way) instead of going back to the default.
    bool keepsUnknownChoice = false;
    // The window's row in the "More Options" section: its control's name and its label (translated in
    // the window's context); none for the main panel's options, whose rows are laid out by hand.
    const char *control = nullptr;
    const char *label = nullptr;

    bool isChoice() const { return !choices.isEmpty(); }
};

const QVector<OptionRow> &optionTable();
const OptionRow *findOption(const char *key);

// Reads every option from the store, each held to what its control allows: a number outside its range
// is brought into it, anything else no control could produce goes back to its default.
void loadOptions(const QSettings &store, OptionValues *values);
void saveOptions(QSettings *store, const OptionValues &values);
// Reads one key the same way, for the window's own settings beside the options.
bool loadSwitch(const QSettings &store, const QString &key, bool fallback);

} // namespace CopyBookOptions
