#pragma once

#include <QVector>

class QIODevice;
class QString;

// The distinct Han characters of a text, each once, in order of first appearance.
QVector<uint> hanCharacters(const QString &text);

// Writes the facts of each distinct Han character of `text` as one JSON object a line (--char-info).
// False when a write fails.
bool writeCharacterInfo(const QString &text, QIODevice *output);
