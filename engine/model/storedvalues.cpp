#include "storedvalues.h"

#include <QDataStream>
#include <QStringList>
#include <cmath>

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
    bool ok = false;
    // Read in the single precision the store keeps, as a value the window saved comes back.
    const float number = value.toFloat(&ok);
    if (!ok || !std::isfinite(number))
        return fallback;
    return static_cast<float>(qBound(min, static_cast<double>(number), max));
}

int toCount(const QVariant &value, int fallback, int min, int max)
{
    bool ok = false;
    const int number = value.toInt(&ok);
    return ok ? qBound(min, number, max) : fallback;
}

int toChoice(const QVariant &value, int fallback, int count, bool keepsUnknown)
{
    bool ok = false;
    const int number = value.toInt(&ok);
    if (!ok)
        return fallback;
    return keepsUnknown || (number >= 0 && number < count) ? number : fallback;
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
    QColor opaque = color;
    opaque.setAlpha(255);
    return opaque;
}

} // namespace StoredValues
