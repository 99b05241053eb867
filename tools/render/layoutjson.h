#pragma once

class CopyBook;
class QIODevice;

// Writes the engine's layout as one JSON object (rows and columns per page, page count, square side,
// glyph size, the page grid and every placed cell) to `output`, the cells as they are laid out, so that a
// book of millions of cells never has to be held whole. False when a write fails.
bool writeLayoutJson(const CopyBook &book, QIODevice *output);
