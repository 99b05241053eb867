#pragma once

#include "copybookoptions.h"

#include <QJsonValue>
#include <QString>
#include <QVariant>
#include <QVector>

namespace CopyBookOptions {

// One entry of a choice: the name the renderer takes and the window's label (translated in the window's
// context), with what the renderer's help says of it.
struct Choice
{
    const char *name;
    const char *label;
    const char *help = nullptr;
};

// How the window shows an option: the kind of control, and its range or its items.
struct ControlSpec
{
    enum class Widget { CheckBox, ChoiceBox, FontBox, SpinBox, DoubleSpinBox, LineEdit, Swatch };

    ControlSpec(Widget widget = Widget::CheckBox, double min = 0.0, double max = 0.0, const char *unsetText = nullptr,
        QVector<Choice> choices = {})
        : widget(widget), min(min), max(max), unsetText(unsetText), choices(std::move(choices))
    { }

    Widget widget;
    double min;
    double max;
    // What a spin box shows one below its range, which stands for "not set"; none where it cannot be.
    const char *unsetText;
    QVector<Choice> choices;
};

// What an option holds, and everything that follows from it: how its value is read back from the
// settings store or a worksheet (held to what its control allows), how the store and a worksheet keep it,
// how the renderer's flag takes it and says its range, and which control the window shows it in. A new
// kind of option is one subclass and the table rows that use it.
class OptionKind
{
public:
    virtual ~OptionKind();

    // The value as the controls and the option table's users hold it: a bool, a double, an int (a
    // choice's number), a QString or a QColor.
    virtual QVariant value(const OptionValues &values) const = 0;
    // Sets the option from a stored value or a control's: a number outside its range is brought into it,
    // anything else no control could produce goes back to the default, but a choice off its list, which
    // stays where its row keeps such choices and `keepUnknownChoices` allows it (the settings store's; a
    // worksheet's can only be damage).
    virtual void setValue(OptionValues *values, const QVariant &value, bool keepUnknownChoices) const = 0;
    // As the settings store keeps it.
    virtual QVariant storedValue(const OptionValues &values) const;
    // As a worksheet keeps it.
    virtual QJsonValue jsonValue(const OptionValues &values) const;

    // Whether the renderer's flag takes a value; a switch's does not: it turns the option away from its
    // default.
    virtual bool takesFlagValue() const { return true; }
    // The flag's help, `help` completed with the range or the list and the default.
    virtual QString flagHelp(const QString &help) const = 0;
    // Sets the option from the flag's value; why it cannot, or nothing.
    virtual QString setFromFlag(OptionValues *values, const QString &text) const = 0;

    virtual ControlSpec control() const = 0;
};

// A kind whose value is one field of the record.
template<typename T> class FieldKind : public OptionKind
{
public:
    explicit FieldKind(T OptionValues::*field) : field(field) { }
    QVariant value(const OptionValues &values) const override { return QVariant::fromValue(values.*field); }

protected:
    T OptionValues::*field;
};

class Switch final : public FieldKind<bool>
{
public:
    using FieldKind::FieldKind;
    void setValue(OptionValues *values, const QVariant &value, bool keepUnknownChoices) const override;
    bool takesFlagValue() const override { return false; }
    QString flagHelp(const QString &help) const override { return help; }
    QString setFromFlag(OptionValues *values, const QString &text) const override;
    ControlSpec control() const override { return {}; }
};

// A size or a share in double precision, kept in single precision in the store and in a worksheet.
class Number final : public FieldKind<double>
{
public:
    Number(double OptionValues::*field, double min, double max) : FieldKind(field), min(min), max(max) { }
    void setValue(OptionValues *values, const QVariant &value, bool keepUnknownChoices) const override;
    QVariant storedValue(const OptionValues &values) const override;
    QJsonValue jsonValue(const OptionValues &values) const override;
    QString flagHelp(const QString &help) const override;
    QString setFromFlag(OptionValues *values, const QString &text) const override;
    ControlSpec control() const override;

private:
    double min;
    double max;
};

class Count final : public FieldKind<int>
{
public:
    // An optional count takes one below the range for "not set", which the store keeps and the window
    // offers; the renderer's flag sets a number in the range.
    Count(int OptionValues::*field, int min, int max, bool optional = false)
        : FieldKind(field), min(min), max(max), optional(optional)
    { }
    void setValue(OptionValues *values, const QVariant &value, bool keepUnknownChoices) const override;
    QString flagHelp(const QString &help) const override;
    QString setFromFlag(OptionValues *values, const QString &text) const override;
    ControlSpec control() const override;

private:
    int min;
    int max;
    bool optional;
};

class Text : public FieldKind<QString>
{
public:
    using FieldKind::FieldKind;
    void setValue(OptionValues *values, const QVariant &value, bool keepUnknownChoices) const override;
    QString flagHelp(const QString &help) const override;
    QString setFromFlag(OptionValues *values, const QString &text) const override;
    ControlSpec control() const override { return {ControlSpec::Widget::LineEdit}; }
};

// A font family: a text, chosen from the installed families.
class FontFamily final : public Text
{
public:
    using Text::Text;
    ControlSpec control() const override { return {ControlSpec::Widget::FontBox}; }
};

// An opaque colour, written as #rrggbb in a worksheet.
class Colour final : public FieldKind<QColor>
{
public:
    using FieldKind::FieldKind;
    void setValue(OptionValues *values, const QVariant &value, bool keepUnknownChoices) const override;
    QJsonValue jsonValue(const OptionValues &values) const override;
    QString flagHelp(const QString &help) const override;
    QString setFromFlag(OptionValues *values, const QString &text) const override;
    ControlSpec control() const override { return {ControlSpec::Widget::Swatch}; }
};

// One of a list; its value is its place in the list. The field is an enum, reached through get and set.
class ChoiceList final : public OptionKind
{
public:
    ChoiceList(int (*get)(const OptionValues &), void (*set)(OptionValues *, int), QVector<Choice> choices)
        : get(get), set(set), choices(std::move(choices))
    { }
    // A stored number off the list is kept as it is (its combo then shows no item and the engine lays it
    // out its own way) instead of going back to the default.
    ChoiceList keepingUnknown() const;

    QVariant value(const OptionValues &values) const override;
    void setValue(OptionValues *values, const QVariant &value, bool keepUnknownChoices) const override;
    QString flagHelp(const QString &help) const override;
    QString setFromFlag(OptionValues *values, const QString &text) const override;
    ControlSpec control() const override;

private:
    int (*get)(const OptionValues &);
    void (*set)(OptionValues *, int);
    QVector<Choice> choices;
    bool keepsUnknown = false;
};

template<auto Field> ChoiceList choiceOf(QVector<Choice> choices)
{
    return ChoiceList([](const OptionValues &values) { return static_cast<int>(values.*Field); },
        [](OptionValues *values, int value) {
            values->*Field = static_cast<std::remove_reference_t<decltype(values->*Field)>>(value);
        },
        std::move(choices));
}

// A number given as text, such as a flag's value, checked against its range (and for a whole number,
// that it is one): why it is not one, or nothing with *number set.
QString parseNumber(const QString &text, double min, double max, bool whole, double *number);

} // namespace CopyBookOptions
