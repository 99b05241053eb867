#pragma once

#include <QColor>
#include <QString>
#include <QVariant>

// A value read back from the settings store, held to what a control could have produced: a store edited
// by hand or damaged must not reach the engine with a value the window could never set.
namespace StoredValues {

// True or false, written as Qt writes them or as 1 and 0; anything else is the fallback. QVariant would
// read any text but "0" and "false" as true, so a damaged switch would turn itself on.
bool toSwitch(const QVariant &value, bool fallback);
// A number brought into [min, max], however far outside it lies (written with more digits than any type
// holds, too); one that is no number, or an infinity written as such, is the fallback.
double toNumber(const QVariant &value, double fallback, double min, double max);
// The same for a whole number; a fraction is no count, and is the fallback.
int toCount(const QVariant &value, int fallback, int min, int max);
// A choice's number off its list means nothing, so it gets the fallback rather than the nearest end of the
// list, unless unknown numbers are kept (those an int holds).
int toChoice(const QVariant &value, int fallback, int count, bool keepsUnknown);
QString toText(const QVariant &value);
// An opaque colour; one that cannot be read is the fallback.
QColor toColour(const QVariant &value, const QColor &fallback);

} // namespace StoredValues
