#include "storedvalues.h"

#include <QDataStream>
#include <QStringList>
#include <cmath>
#include <limits>

namespace StoredValues {

namespace {

// A damaged store can hold a colour whose spec field is none of QColor's (a truncated value reads one
// from whatever byte follows). Copying such a colour is undefined behaviour, so the stored colour is
// written out by Qt and its spec checked in the bytes before any QColor of ours is made from it.
QColor readableColor(const QVariant &value)
{
    if (value.userType() != QMetaType::QColor)
        return QColor(value.toString());
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    if (!QMetaType::save(out, QMetaType::QColor, value.constData()) || bytes.isEmpty())
        return {};
    const int spec = static_cast<signed char>(bytes.at(0));
    if (spec < QColor::Rgb || spec > QColor::ExtendedRgb)
        return {};
    QDataStream in(bytes);
    QColor color;
    in >> color;
    return color;
}

// The number a stored value holds, read in double precision whatever its type (a number, or text in the
// INI file); NaN where it holds none. Digits too many even for a double (1e400) read as the infinity of
// their sign, so that they are held to the range as any other too large a number is, 1e39 as 5000;
// an infinity or NaN written as such ("inf") is no number a control writes, and no number here.
double numberIn(const QVariant &value)
{
    bool ok = false;
    const double number = value.toDouble(&ok);
    const bool overflowed = !ok && std::isinf(number);
    return (ok && std::isfinite(number)) || overflowed ? number : std::numeric_limits<double>::quiet_NaN();
}

// A count or a choice is a whole number; an overflow stands for a whole number beyond every range.
bool isWhole(double number)
{
    return !std::isnan(number) && (std::isinf(number) || number == std::floor(number));
}

} // namespace

bool toSwitch(const QVariant &value, bool fallback)
{
    if (value.userType() == QMetaType::Bool)
        return value.toBool();
    const QString text = value.toString().trimmed().toLower();
    if (text == QLatin1String("true") || text == QLatin1String("1"))
        return true;
    if (text == QLatin1String("false") || text == QLatin1String("0"))
        return false;
    return fallback;
}

double toNumber(const QVariant &value, double fallback, double min, double max)
{
    const double number = numberIn(value);
    if (std::isnan(number))
        return fallback;
    // Held in the single precision the store keeps, as a value the window saved comes back.
    return static_cast<float>(qBound(min, number, max));
}

int toCount(const QVariant &value, int fallback, int min, int max)
{
    const double number = numberIn(value);
    if (!isWhole(number))
        return fallback;
    return static_cast<int>(qBound<double>(min, number, max));
}

int toChoice(const QVariant &value, int fallback, int count, bool keepsUnknown)
{
    const double number = numberIn(value);
    if (!isWhole(number))
        return fallback;
    if (number >= 0 && number < count)
        return static_cast<int>(number);
    // Kept, a number off the list must still be one the engine can hold.
    const bool holdable = number >= std::numeric_limits<int>::min() && number <= std::numeric_limits<int>::max();
    return keepsUnknown && holdable ? static_cast<int>(number) : fallback;
}

QString toText(const QVariant &value)
{
    // The INI reader turns a hand-written value with an unquoted comma into a list.
    if (value.userType() == QMetaType::QStringList)
        return value.toStringList().join(QLatin1String(", "));
    return value.toString();
}

// An unreadable colour would paint the grid or the glyphs in an arbitrary colour, and one that is not
// opaque (no control gives one, a damaged value can) could make the grid or the text vanish.
QColor toColour(const QVariant &value, const QColor &fallback)
{
    // A stored QColor comes back as one; a name such as "#c00000" converts.
    const QColor color = readableColor(value);
    if (!color.isValid())
        return fallback;
    // An extended colour holds its components as half-precision numbers, which a damaged value can make
    // anything: one that is not a number would compare unequal to itself and paint whatever it paints.
    for (const double component : {color.redF(), color.greenF(), color.blueF()}) {
        if (!(component >= 0.0 && component <= 1.0))
            return fallback;
    }
    // As the colour dialog gives them: opaque, eight bits a component. A value written with more
    // (#rrrrggggbbbb) would otherwise come back another colour from a worksheet, which keeps eight.
    return QColor(color.rgb());
}

} // namespace StoredValues
