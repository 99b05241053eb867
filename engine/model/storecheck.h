#pragma once

#include <QByteArray>
#include <QString>

// What Qt's settings store would do with its raw text before it reads it. QSettings hands every value
// written as "@Variant(...)" or "@DateTime(...)" to QDataStream as a serialized QVariant of whatever type
// its first bytes name, and some types (a polygon of 1.7 × 10⁹ points in 21 bytes) make Qt allocate
// without bound or crash. The program writes none but colours and single-precision numbers, so any other
// is a damaged store; those two are read in a dozen bytes whatever follows.
namespace StoreCheck {

// Whether the text of a settings file in Qt's INI format is safe for QSettings to read: no value of any
// key, in any section, unescapes to a serialized QVariant of another type. Qt reads a whole section
// at once, and every section before it writes, so the keys of other programs count too.
bool isSafeIniText(const QByteArray &text);

// The same for one value as the registry holds it: raw text, no INI escapes.
bool isSafeValueText(const QString &value);

} // namespace StoreCheck
