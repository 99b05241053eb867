#pragma once

#include <QByteArray>

class CopyBookWidget;

// The engine's layout as one JSON object: rows and columns per page, page count, square side, glyph size,
// the page grid and every placed cell.
QByteArray layoutJson(const CopyBookWidget &book);
