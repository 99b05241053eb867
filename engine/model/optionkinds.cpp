#include "optionkinds.h"

#include "storedvalues.h"

#include <QStringList>
#include <cmath>

namespace CopyBookOptions {

namespace {

const OptionValues &defaults()
{
    static const OptionValues values;
    return values;
}

QString rangedHelp(const QString &help, double min, double max, double value)
{
    return QStringLiteral("%1, %2 to %3 (default %4).").arg(help).arg(min).arg(max).arg(value);
}

// The shortest decimal that reads back as the same single-precision number, which is how the store and
// the renderer's flags hold the sizes: a worksheet says 1.2, not 1.2000000476837158.
double shortestDecimal(double value)
{
    const float single = static_cast<float>(value);
    for (int digits = 1; digits < 9; ++digits) {
        const double decimal = QString::number(single, 'g', digits).toDouble();
        if (static_cast<float>(decimal) == single)
            return decimal;
    }
    return single;
}

} // namespace

OptionKind::~OptionKind() = default;

QVariant OptionKind::storedValue(const OptionValues &values) const
{
    return value(values);
}

QJsonValue OptionKind::jsonValue(const OptionValues &values) const
{
    return QJsonValue::fromVariant(value(values));
}

QString parseNumber(const QString &text, double min, double max, bool whole, double *number)
{
    bool ok = false;
    const double parsed = text.toDouble(&ok);
    if (!ok || !std::isfinite(parsed))
        return QStringLiteral("'%1' is not a number").arg(text);
    if (parsed < min || parsed > max)
        return QStringLiteral("%1 is outside %2 to %3").arg(text).arg(min).arg(max);
    if (whole && parsed != std::floor(parsed))
        return QStringLiteral("'%1' is not a whole number").arg(text);
    *number = parsed;
    return {};
}

void Switch::setValue(OptionValues *values, const QVariant &value, bool) const
{
    values->*field = StoredValues::toSwitch(value, defaults().*field);
}

QString Switch::setFromFlag(OptionValues *values, const QString &) const
{
    values->*field = !(defaults().*field);
    return {};
}

void Number::setValue(OptionValues *values, const QVariant &value, bool) const
{
    values->*field = StoredValues::toNumber(value, defaults().*field, min, max);
}

// The store has always kept the sizes in single precision.
QVariant Number::storedValue(const OptionValues &values) const
{
    return static_cast<float>(values.*field);
}

QJsonValue Number::jsonValue(const OptionValues &values) const
{
    return shortestDecimal(values.*field);
}

QString Number::flagHelp(const QString &help) const
{
    return rangedHelp(help, min, max, defaults().*field);
}

// Held in single precision, as the window's settings hold it, so that a sheet made by the renderer is the
// one the window makes from the same values.
QString Number::setFromFlag(OptionValues *values, const QString &text) const
{
    double number = 0.0;
    const QString problem = parseNumber(text, min, max, false, &number);
    if (problem.isEmpty())
        values->*field = static_cast<float>(number);
    return problem;
}

ControlSpec Number::control() const
{
    return {ControlSpec::Widget::DoubleSpinBox, min, max};
}

void Count::setValue(OptionValues *values, const QVariant &value, bool) const
{
    values->*field = StoredValues::toCount(value, defaults().*field, optional ? min - 1 : min, max);
}

QString Count::flagHelp(const QString &help) const
{
    if (optional)
        return QStringLiteral("%1, %2 to %3 (default: as the trace type gives).").arg(help).arg(min).arg(max);
    return rangedHelp(help, min, max, defaults().*field);
}

QString Count::setFromFlag(OptionValues *values, const QString &text) const
{
    double number = 0.0;
    const QString problem = parseNumber(text, min, max, true, &number);
    if (problem.isEmpty())
        values->*field = static_cast<int>(number);
    return problem;
}

ControlSpec Count::control() const
{
    // Not set: the trace type decides, as it does with the option off.
    return {ControlSpec::Widget::SpinBox, double(optional ? min - 1 : min), double(max),
        optional ? QT_TRANSLATE_NOOP("MainWindow", "By trace type") : nullptr};
}

void Text::setValue(OptionValues *values, const QVariant &value, bool) const
{
    values->*field = StoredValues::toText(value);
}

QString Text::flagHelp(const QString &help) const
{
    const QString value = defaults().*field;
    return value.isEmpty() ? help : QStringLiteral("%1 (default %2).").arg(help, value);
}

QString Text::setFromFlag(OptionValues *values, const QString &text) const
{
    values->*field = text;
    return {};
}

void Colour::setValue(OptionValues *values, const QVariant &value, bool) const
{
    values->*field = StoredValues::toColour(value, defaults().*field);
}

QJsonValue Colour::jsonValue(const OptionValues &values) const
{
    return (values.*field).name();
}

QString Colour::flagHelp(const QString &help) const
{
    return QStringLiteral("%1 (default %2).").arg(help, (defaults().*field).name());
}

QString Colour::setFromFlag(OptionValues *values, const QString &text) const
{
    if (!QColor::isValidColor(text))
        return QStringLiteral("'%1' is not a colour").arg(text);
    // The window's colours are opaque, and a see-through grid or text would leave a page blank.
    if (QColor(text).alpha() != 255)
        return QStringLiteral("'%1' is not opaque; colours are drawn opaque, as in the window").arg(text);
    values->*field = QColor(text);
    return {};
}

ChoiceList ChoiceList::keepingUnknown() const
{
    ChoiceList kept = *this;
    kept.keepsUnknown = true;
    return kept;
}

QVariant ChoiceList::value(const OptionValues &values) const
{
    return get(values);
}

void ChoiceList::setValue(OptionValues *values, const QVariant &value, bool keepUnknownChoices) const
{
    set(values, StoredValues::toChoice(value, get(defaults()), choices.size(), keepsUnknown && keepUnknownChoices));
}

QString ChoiceList::flagHelp(const QString &help) const
{
    const int defaultChoice = get(defaults());
    QStringList names;
    for (int value = 0; value < choices.size(); ++value) {
        const Choice &choice = choices[value];
        QString name = QLatin1String(choice.name);
        if (value == defaultChoice)
            name += choice.help ? QStringLiteral(" (default: %1)").arg(QLatin1String(choice.help))
                                : QStringLiteral(" (default)");
        else if (choice.help)
            name += QStringLiteral(" (%1)").arg(QLatin1String(choice.help));
        names << name;
    }
    const QString last = names.takeLast();
    return QStringLiteral("%1 or %2%3.").arg(names.join(QStringLiteral(", ")), last, help);
}

QString ChoiceList::setFromFlag(OptionValues *values, const QString &text) const
{
    QStringList names;
    for (const Choice &choice : choices)
        names << QLatin1String(choice.name);
    const int index = names.indexOf(text.toLower());
    if (index < 0)
        return QStringLiteral("'%1' is not one of %2").arg(text, names.join(QStringLiteral(", ")));
    set(values, index);
    return {};
}

ControlSpec ChoiceList::control() const
{
    return {ControlSpec::Widget::ChoiceBox, 0.0, double(choices.size() - 1), nullptr, choices};
}

} // namespace CopyBookOptions
